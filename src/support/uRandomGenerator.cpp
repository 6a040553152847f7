#include "support/uRandomGenerator.h"

#include <chrono>
#include <cstring>

std::uint32_t TRandomGenerator::RangeU4(std::uint32_t AMaxValue) {
    const std::uint32_t r = RandomU4();
    if (AMaxValue == UINT32_MAX)
        return r;
    const std::uint64_t range = static_cast<std::uint64_t>(AMaxValue) + 1;
    return static_cast<std::uint32_t>((range * r) >> 32);
}

std::uint64_t TRandomGenerator::RangeU8(std::uint64_t AMaxValue) {
    const std::uint64_t r = RandomU8();
    if (AMaxValue == UINT64_MAX)
        return r;
    __extension__ using TUInt128 = unsigned __int128;
    return static_cast<std::uint64_t>((static_cast<TUInt128>(AMaxValue + 1) * r) >> 64);
}

std::uint32_t TRandomGenerator::RangeU4(std::uint32_t AMinimalValue, std::uint32_t AMaximalValue) {
    return AMinimalValue + RangeU4(AMaximalValue - AMinimalValue);
}

std::uint64_t TRandomGenerator::RangeU8(std::uint64_t AMinimalValue, std::uint64_t AMaximalValue) {
    return AMinimalValue + RangeU8(AMaximalValue - AMinimalValue);
}

std::int32_t TRandomGenerator::RandomZeroDistance(std::uint32_t AMaximalDistance) {
    return static_cast<std::int32_t>(RangeU4(2 * AMaximalDistance)) -
           static_cast<std::int32_t>(AMaximalDistance);
}

void TRandomGenerator::Random(void* AData, std::size_t ASize) {
    auto* bytes = static_cast<std::uint8_t*>(AData);
    while (ASize >= 4) {
        const std::uint32_t value = RandomU4();
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
        bytes += 4;
        ASize -= 4;
    }
    if (ASize > 0) {
        const std::uint32_t value = RandomU4();
        for (std::size_t i = 0; i < ASize; ++i)
            bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

TLinearCongruentialGenerator::TLinearCongruentialGenerator() {
    Randomize();
}

void TLinearCongruentialGenerator::Randomize() {
    FSeed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::uint32_t TLinearCongruentialGenerator::RandomU4() {
    return static_cast<std::uint32_t>(RandomU8());
}

std::uint64_t TLinearCongruentialGenerator::RandomU8() {
    FSeed = FMultiplicand * FSeed + FAddition;
    return FSeed;
}

TKvRandomGenerator::TKvRandomGenerator() {
    SetMultiplicand(DefaultMultiplicand);
    SetAddition(DefaultAddition);
}
