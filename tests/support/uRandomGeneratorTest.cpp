#include "support/uRandomGenerator.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

TKvRandomGenerator Seeded(std::uint64_t ASeed) {
    TKvRandomGenerator generator;
    generator.SetSeed(ASeed);
    return generator;
}

} // namespace

TEST(TKvRandomGenerator, SeedZeroGivesTheMmixSequence) {
    TKvRandomGenerator generator = Seeded(0);
    EXPECT_EQ(generator.RandomU8(), 1442695040888963407ULL);
    const std::uint64_t second =
        6364136223846793005ULL * 1442695040888963407ULL + 1442695040888963407ULL;
    EXPECT_EQ(generator.RandomU8(), second);

    TKvRandomGenerator other = Seeded(0);
    EXPECT_EQ(other.RandomU4(), 4150755663u);
    EXPECT_EQ(other.Seed(), 1442695040888963407ULL);
}

TEST(TKvRandomGenerator, TwoGeneratorsCreatedApartDiffer) {
    TKvRandomGenerator a;
    TKvRandomGenerator b;
    EXPECT_NE(a.Seed(), b.Seed());
}

TEST(TKvRandomGenerator, RangesUseTheTopBitsAndConsumeOneNumber) {
    TKvRandomGenerator generator = Seeded(0);
    TKvRandomGenerator mirror = Seeded(0);
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t r = mirror.RandomU4();
        switch (i % 4) {
        case 0:
            EXPECT_EQ(generator.RangeU4(0), 0u);
            break;
        case 1:
            EXPECT_EQ(generator.RangeU4(1), r >> 31);
            break;
        case 2:
            EXPECT_EQ(generator.RangeU4(UINT32_MAX), r) << "the full range is the number itself";
            break;
        default:
            EXPECT_EQ(generator.RangeU4(9), static_cast<std::uint32_t>((10ULL * r) >> 32));
            break;
        }
    }
    TKvRandomGenerator wide = Seeded(7);
    TKvRandomGenerator wideMirror = Seeded(7);
    EXPECT_EQ(wide.RangeU8(UINT64_MAX), wideMirror.RandomU8());
    const std::uint64_t r = wideMirror.RandomU8();
    EXPECT_EQ(wide.RangeU8(1), r >> 63);
    const std::uint32_t bounded = wide.RangeU4(10, 12);
    EXPECT_GE(bounded, 10u);
    EXPECT_LE(bounded, 12u);
}

TEST(TKvRandomGenerator, ZeroDistanceStaysWithinItsBounds) {
    TKvRandomGenerator generator = Seeded(3);
    bool               sawNegative = false;
    bool               sawPositive = false;
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(generator.RandomZeroDistance(0), 0);
        const std::int32_t value = generator.RandomZeroDistance(20);
        ASSERT_GE(value, -20);
        ASSERT_LE(value, 20);
        sawNegative |= value < 0;
        sawPositive |= value > 0;
    }
    EXPECT_TRUE(sawNegative && sawPositive);
}

TEST(TKvRandomGenerator, FillsBytesLittleEndianPerGroupOfFour) {
    TKvRandomGenerator          generator = Seeded(11);
    TKvRandomGenerator          mirror = Seeded(11);
    std::array<std::uint8_t, 8> data;
    data.fill(0xEE);
    generator.Random(data.data(), 6);
    const std::uint32_t               first = mirror.RandomU4();
    const std::uint32_t               second = mirror.RandomU4();
    const std::array<std::uint8_t, 8> expected = {static_cast<std::uint8_t>(first),
                                                  static_cast<std::uint8_t>(first >> 8),
                                                  static_cast<std::uint8_t>(first >> 16),
                                                  static_cast<std::uint8_t>(first >> 24),
                                                  static_cast<std::uint8_t>(second),
                                                  static_cast<std::uint8_t>(second >> 8),
                                                  0xEE,
                                                  0xEE};
    EXPECT_EQ(data, expected);
    EXPECT_EQ(generator.RandomU4(), mirror.RandomU4()) << "two numbers consumed, no more";

    std::uint16_t half = 0;
    generator.Random(half);
    EXPECT_EQ(half, static_cast<std::uint16_t>(mirror.RandomU4()));
}
