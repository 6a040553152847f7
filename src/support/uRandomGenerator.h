#pragma once

#include <cstddef>
#include <cstdint>

// Pseudo-random numbers for every random decision of the program (move choice, draw dice,
// random start positions, hash keys, evaluation noise). Each user owns its generator; a
// generator is used by one thread at a time. No allocation, no locks.
class TRandomGenerator {
public:
    virtual ~TRandomGenerator() = default;

    virtual std::uint32_t RandomU4() = 0;
    virtual std::uint64_t RandomU8() = 0;

    // 0 .. AMaxValue by multiply-and-shift (no division); the full range returns the number itself.
    std::uint32_t RangeU4(std::uint32_t AMaxValue);
    std::uint64_t RangeU8(std::uint64_t AMaxValue);
    std::uint32_t RangeU4(std::uint32_t AMinimalValue, std::uint32_t AMaximalValue);
    std::uint64_t RangeU8(std::uint64_t AMinimalValue, std::uint64_t AMaximalValue);
    // -AMaximalDistance .. AMaximalDistance.
    std::int32_t  RandomZeroDistance(std::uint32_t AMaximalDistance);
    std::uint8_t  RandomU1() { return static_cast<std::uint8_t>(RandomU4()); }
    std::uint16_t RandomU2() { return static_cast<std::uint16_t>(RandomU4()); }

    void Random(std::uint8_t& AData) { AData = RandomU1(); }
    void Random(std::uint16_t& AData) { AData = RandomU2(); }
    void Random(std::uint32_t& AData) { AData = RandomU4(); }
    void Random(std::uint64_t& AData) { AData = RandomU8(); }
    // Fills ASize bytes: one 32-bit number per four bytes, little-endian; a last partial group
    // takes the low bytes of one more number.
    void Random(void* AData, std::size_t ASize);
};

// x := a * x + c modulo 2^64. The base leaves a and c at 0; only the derived default is used.
class TLinearCongruentialGenerator : public TRandomGenerator {
public:
    // Seeded from the high-resolution clock, so two generators differ; call SetSeed for a
    // reproducible sequence.
    TLinearCongruentialGenerator();

    void          Randomize();
    std::uint32_t RandomU4() override;
    std::uint64_t RandomU8() override;

    std::uint64_t Seed() const { return FSeed; }
    std::uint64_t Multiplicand() const { return FMultiplicand; }
    std::uint64_t Addition() const { return FAddition; }
    void          SetSeed(std::uint64_t AValue) { FSeed = AValue; }
    void          SetMultiplicand(std::uint64_t AValue) { FMultiplicand = AValue; }
    void          SetAddition(std::uint64_t AValue) { FAddition = AValue; }

private:
    std::uint64_t FSeed = 0;
    std::uint64_t FMultiplicand = 0;
    std::uint64_t FAddition = 0;
};

// The program's default generator: the multiplier and increment of Knuth's MMIX generator.
class TKvRandomGenerator final : public TLinearCongruentialGenerator {
public:
    static constexpr std::uint64_t DefaultMultiplicand = 6364136223846793005ULL;
    static constexpr std::uint64_t DefaultAddition = 1442695040888963407ULL;
    TKvRandomGenerator();
};
