#include "protocols/uUCIParameterReader.h"

#include <algorithm>
#include <limits>

void TUCIParameterReader::SkipBlanks() {
    while (FPosition < FText.size() && IsBlank(FText[FPosition]))
        ++FPosition;
}

std::string TUCIParameterReader::ReadWord() {
    SkipBlanks();
    const std::size_t start = FPosition;
    while (FPosition < FText.size() && !IsBlank(FText[FPosition]))
        ++FPosition;
    return std::string(FText.substr(start, FPosition - start));
}

std::int64_t TUCIParameterReader::ReadNumber() {
    SkipBlanks();
    bool negative = false;
    while (FPosition < FText.size() && (FText[FPosition] == '+' || FText[FPosition] == '-')) {
        if (FText[FPosition] == '-')
            negative = !negative;
        ++FPosition;
    }
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    std::int64_t           value = 0;
    while (FPosition < FText.size() && FText[FPosition] >= '0' && FText[FPosition] <= '9') {
        const int digit = FText[FPosition] - '0';
        value = value > (Max - digit) / 10 ? Max : value * 10 + digit;
        ++FPosition;
    }
    return negative ? -value : value;
}

std::int32_t ClampToInt32(std::int64_t AValue) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(AValue, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}
