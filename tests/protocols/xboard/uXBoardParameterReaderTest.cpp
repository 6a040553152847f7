#include "protocols/xboard/uXBoardParameterReader.h"

#include "support/uExceptions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

struct TIntegerCase {
    const char*  Text;
    std::int64_t First;
    std::int64_t Second;
};

// clang-format off
constexpr TIntegerCase IntegerCases[] = {
    {"2500 2000",        2500, 2000},
    {" \t-17\t+4",        -17,    4},
    {"--5 +-6",             5,   -6},
    {"abc 7",               0,    0}, // no digits: 0, and the reader stays on the word
    {"12x 9",              12,    0},
    {"",                    0,    0},
    {"99999999999999999999999 1", INT64_MAX, 1},
};
// clang-format on

} // namespace

TEST(TXBoardParameterReader, ReadsIntegersLeniently) {
    for (const auto& c : IntegerCases) {
        SCOPED_TRACE(c.Text);
        TXBoardParameterReader reader(c.Text);
        EXPECT_EQ(reader.ReadInteger(), c.First);
        EXPECT_EQ(reader.ReadInteger(), c.Second);
    }
    TXBoardParameterReader words("  40\t5  0:30 ");
    EXPECT_EQ(words.ReadWord(), "40");
    EXPECT_EQ(words.ReadWord(), "5");
    EXPECT_EQ(words.ReadWord(), "0:30");
    EXPECT_EQ(words.ReadWord(), "");
    EXPECT_TRUE(words.AtEnd());
}

namespace {

struct TDecimalCase {
    const char* Text;
    double      Value; // when readable and in range
    const char* Error; // else the message
};

// clang-format off
const TDecimalCase DecimalCases[] = {
    {"5",           5,    nullptr},
    {" 2.25 ",      2.25, nullptr},
    {"-0.5",        -0.5, nullptr},
    {"+.5",         0.5,  nullptr},
    {"10.",         10,   nullptr},
    {"",            1,    nullptr}, // the default
    {"   ",         1,    nullptr},
    {"86400",       86400, nullptr},
    {"86400.5",     0,    "Value 86400.5 out of range -10..86400"},
    {"-11",         0,    "Value -11 out of range -10..86400"},
    {"1,5",         0,    "'1,5' is not a valid number"},
    {"1e3",         0,    "'1e3' is not a valid number"},
    {"inf",         0,    "'inf' is not a valid number"},
    {".",           0,    "'.' is not a valid number"},
    {"2 3",         0,    "'2 3' is not a valid number"},
};
// clang-format on

} // namespace

TEST(TXBoardParameterReader, ReadsDecimalsWithDefaultAndRange) {
    for (const auto& c : DecimalCases) {
        SCOPED_TRACE(c.Text);
        if (c.Error == nullptr) {
            EXPECT_DOUBLE_EQ(ReadDecimal(c.Text, 1, -10, 86400), c.Value);
            continue;
        }
        try {
            ReadDecimal(c.Text, 1, -10, 86400);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.Error);
        }
    }
    // Without a range any plain number is taken, however large.
    EXPECT_DOUBLE_EQ(ReadDecimal("315360000", 0), 315360000.0);
}

TEST(TXBoardParameterReader, ReadsClockNotation) {
    struct TCase {
        const char* Text;
        double      Seconds;
    };
    // clang-format off
    const TCase cases[] = {
        {"2:30",        150},
        {"0:05.5",      5.5},
        {"1:00:00",     3600},
        {"1:0:0:1",     86400}, // a day and a second: cut to one day
        {"0:1:30:00",   5400},
        {"3:",          -1},
        {":30",         -1},
        {"1:-5",        -1},
        {"a:b",         -1},
        {"1:2:3:4:5",   -1},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        if (c.Seconds >= 0) {
            EXPECT_EQ(ReadClockTime(c.Text), TTimeSpan::FromSecondsFloat(c.Seconds));
            continue;
        }
        try {
            ReadClockTime(c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(c.Text) + "' is not a valid time");
        }
    }
}
