#include "engine/uOpponent.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <limits>

namespace {

bool IsBlank(char AChar) {
    return AChar == ' ' || AChar == '\t';
}

// The next blank-separated word from APosition on; APosition ends just past it.
std::string_view NextWord(std::string_view AText, std::size_t& APosition) {
    while (APosition < AText.size() && IsBlank(AText[APosition]))
        ++APosition;
    const std::size_t start = APosition;
    while (APosition < AText.size() && !IsBlank(AText[APosition]))
        ++APosition;
    return AText.substr(start, APosition - start);
}

} // namespace

void TOpponent::ReadFromString(std::string_view AText) {
    std::size_t            position = 0;
    const std::string_view title = NextWord(AText, position);
    const std::string_view eloText = NextWord(AText, position);
    std::int32_t           elo = 0;
    if (!SameText(eloText, "none")) {
        const std::int64_t value = StrToInt64(eloText);
        if (value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            throw EConvertError("'" + std::string(eloText) + "' is not a valid integer value");
        elo = static_cast<std::int32_t>(value);
    }
    const std::string_view typeText = NextWord(AText, position);
    TOpponentType          type;
    if (SameText(typeText, "computer"))
        type = otComputer;
    else if (SameText(typeText, "human"))
        type = otHuman;
    else
        throw EParseError({"computer", "human"}, typeText);
    // The name is the rest of the text after the blank that ends the type.
    const std::string_view name =
        position < AText.size() ? AText.substr(position + 1) : std::string_view();
    Title = title;
    Elo = elo;
    OpponentType = type;
    Name = name;
}
