#include "protocols/xboard/uXBoardParameterReader.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <charconv>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace {

bool IsDigit(char AChar) {
    return AChar >= '0' && AChar <= '9';
}

// [sign] digits [. digits], or [sign] . digits; nothing else.
bool IsPlainDecimal(std::string_view AText) {
    std::size_t i = 0;
    if (i < AText.size() && (AText[i] == '+' || AText[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < AText.size() && IsDigit(AText[i])) {
        ++i;
        ++digits;
    }
    if (i < AText.size() && AText[i] == '.') {
        ++i;
        while (i < AText.size() && IsDigit(AText[i])) {
            ++i;
            ++digits;
        }
    }
    return digits > 0 && i == AText.size();
}

// A plain decimal number; nullopt when the text is not one.
std::optional<double> ParseDecimal(std::string_view AText) {
    if (!IsPlainDecimal(AText))
        return std::nullopt;
    // from_chars reads no leading "+", and a value of many digits is still finite here.
    if (AText.front() == '+')
        AText.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(AText.data(), AText.data() + AText.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        return AText.front() == '-' ? -std::numeric_limits<double>::max()
                                    : std::numeric_limits<double>::max();
    if (error != std::errc() || end != AText.data() + AText.size())
        return std::nullopt;
    return value;
}

} // namespace

double ReadDecimal(std::string_view AText, double ADefault) {
    const std::string_view text = TrimView(AText);
    if (text.empty())
        return ADefault;
    const std::optional<double> value = ParseDecimal(text);
    if (!value)
        throw EConvertError("'" + std::string(text) + "' is not a valid number");
    return *value;
}

double ReadDecimal(std::string_view AText, double ADefault, std::int64_t AMinimum,
                   std::int64_t AMaximum) {
    const double value = ReadDecimal(AText, ADefault);
    if (value < static_cast<double>(AMinimum) || value > static_cast<double>(AMaximum))
        throw EConvertError("Value " + std::string(TrimView(AText)) + " out of range " +
                            std::to_string(AMinimum) + ".." + std::to_string(AMaximum));
    return value;
}

TTimeSpan ReadClockTime(std::string_view AText) {
    const std::string_view text = TrimView(AText);
    auto invalid = [&] { return EConvertError("'" + std::string(text) + "' is not a valid time"); };
    std::vector<double> parts;
    std::size_t         start = 0;
    while (true) {
        const std::size_t      colon = text.find(':', start);
        const std::string_view part = text.substr(
            start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
        const std::optional<double> value = ParseDecimal(part);
        if (!value || *value < 0)
            throw invalid();
        parts.push_back(*value);
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    // Seconds, minutes, hours, days from the right.
    constexpr double Units[] = {1, 60, 3600, 86400};
    if (parts.size() > std::size(Units))
        throw invalid();
    double seconds = 0;
    for (std::size_t i = 0; i < parts.size(); ++i)
        seconds += parts[parts.size() - 1 - i] * Units[i];
    constexpr double OneDay = 86400;
    return TTimeSpan::FromSecondsFloat(seconds > OneDay ? OneDay : seconds);
}
