#include "support/uCommonOutputFormat.h"

#include <gtest/gtest.h>

using F = TCommonOutputFormat;

TEST(TCommonOutputFormat, ByteSizes) {
    struct TCase {
        std::int64_t Bytes;
        const char*  Text;
    };
    constexpr TCase Cases[] = {
        {0, "0 bytes"},         {1, "1 byte"},         {1023, "1023 bytes"},  {1024, "1 KiB"},
        {1536, "1.5 KiB"},      {10240, "10 KiB"},     {-2048, "-2 KiB"},     {1048576, "1 MiB"},
        {150000000, "143 MiB"}, {1073741824, "1 GiB"}, {5368709120, "5 GiB"}, {INT64_MAX, "8 EiB"},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(F::BToStr(c.Bytes), c.Text) << c.Bytes;
}

TEST(TCommonOutputFormat, NodeCounts) {
    EXPECT_EQ(F::NodesToS(999999), "999999");
    EXPECT_EQ(F::NodesToS(1000000), "1000 k");
    EXPECT_EQ(F::NodesToS(999999999), "1000000 k");
    EXPECT_EQ(F::NodesToS(2500000000ULL), "2500 M");
    EXPECT_EQ(F::NodesToS(3000000000000ULL), "3000 G");
    EXPECT_EQ(F::NodesToS(UINT64_MAX), "18446744 T");
}

TEST(TCommonOutputFormat, Durations) {
    struct TCase {
        std::int64_t Ms;
        TDisplay     Display;
        int          Decimals;
        bool         FixedWidth;
        const char*  Text;
    };
    const TCase Cases[] = {
        {61500, diMSD, -2, false, "1:01.5"},
        {5000, diSD, 0, false, "5"},
        {3723000, diHHMSD, 0, false, "01:02:03"},
        {59999, diSD, 3, false, "59.999"},
        {60000, diSD, 0, false, "1:00"},
        {-1500, diSD, 1, false, "-1.5"},
        {0, diDHMSD, 3, false, "0:00:00.000"},
        {90061001, diDHMSD, 3, false, "1 day;1:01:01.001"},
        {2 * 604800000LL + 3600000, diDHMSD, 0, false, "2 weeks;1:00:00"},
        {4294967295000LL, diHMSD, 3, false, "999:59:59.999"},
        {5000, diMSD, 0, true, "    0:05"},
        {60010, diMSD, -2, false, "1:00.01"},
        {60001, diMSD, -2, false, "1:00"},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(F::MsToStr(c.Ms, c.Display, c.Decimals, c.FixedWidth), c.Text) << c.Ms;
}

TEST(TCommonOutputFormat, DecimalPlacesAndBases) {
    EXPECT_EQ(F::NToS(150, -2), "1.5");
    EXPECT_EQ(F::NToS(100, -2), "1");
    EXPECT_EQ(F::NToS(5, 2), "0.05");
    EXPECT_EQ(F::NToS(-1234, 2), "-12.34");
    EXPECT_EQ(F::NToS(-7, 0), "-7");
    EXPECT_EQ(F::NToSBase(255, 16), "FF");
    EXPECT_EQ(F::NumToStr(-35, 36), "Z");
    EXPECT_EQ(F::ExitCodeToString(255), "FF h");
}

TEST(TCommonOutputFormat, DigitPatterns) {
    EXPECT_EQ(F::NToS("00", 10, 123), "23");
    EXPECT_EQ(F::NToS("0000", 10, 7), "0007");
    EXPECT_EQ(F::NToS("##0", 10, 7), "  7");
    EXPECT_EQ(F::NToS("#,##0", 10, 1234), "1,234");
    EXPECT_EQ(F::NToS("#,##0", 10, 12), "   12");
    EXPECT_EQ(F::NToS("-000", 10, -5), "-005");
    EXPECT_EQ(F::NToS("+00", 10, 5), "+05");
}

TEST(TCommonOutputFormat, ThousandSeparators) {
    const auto& english = EnglishFormatSettings();
    EXPECT_EQ(F::AddThousandSeparators("2682.12", english, "E"), "2,682.12");
    EXPECT_EQ(F::AddThousandSeparators("-1234567", english, "E"), "-1,234,567");
    EXPECT_EQ(F::AddThousandSeparators("123", english, "E"), "123");
    EXPECT_EQ(F::AddThousandSeparators("1234E+20", english, "E"), "1,234E+20");
    EXPECT_EQ(F::IntToSGrouped(INT64_MIN), "-9,223,372,036,854,775,808");
}

TEST(TCommonOutputFormat, Dates) {
    EXPECT_EQ(F::DateToS(2026, 3, 7), "2026-03-07");
    // 2000-01-01 is day 36526; half a day past it is noon.
    EXPECT_EQ(F::DateTimeToS(3, 36526.5), "2000-01-01 12:00:00.000");
    EXPECT_EQ(F::DateTimeToS(3, 0), "");
}
