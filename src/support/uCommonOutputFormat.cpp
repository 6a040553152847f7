#include "support/uCommonOutputFormat.h"

#include "support/uInt128.h"

#include <cmath>
#include <cstdio>
#include <limits>

std::string TNegativeNumberFormat::Make(std::string_view ANumber) const {
    switch (FStyle) {
    case BracketsAround:
        return "(" + std::string(ANumber) + ")";
    case BeforeNumber:
        return FSymbol + std::string(ANumber);
    case BeforeNumberWithSpace:
        return FSymbol + " " + std::string(ANumber);
    case AfterNumber:
        return std::string(ANumber) + FSymbol;
    case AfterNumberWithSpace:
        return std::string(ANumber) + " " + FSymbol;
    }
    return std::string(ANumber);
}

const TEnglishFormatSettings& EnglishFormatSettings() {
    static const TEnglishFormatSettings settings;
    return settings;
}

namespace {

std::uint64_t Magnitude(std::int64_t AValue) {
    return AValue < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(AValue)
                      : static_cast<std::uint64_t>(AValue);
}

std::string PadLeft(std::string AText, std::size_t AWidth, char AFill) {
    if (AText.size() < AWidth)
        AText.insert(0, AWidth - AText.size(), AFill);
    return AText;
}

// Digits of the magnitude with |d| of them as the fraction.
std::string LayOut(std::uint64_t AMagnitude, bool ANegative, int ADecimals, int ABase) {
    std::string digits = TCommonOutputFormat::NumToStrU(AMagnitude, ABase);
    const auto  places = static_cast<std::size_t>(ADecimals < 0 ? -ADecimals : ADecimals);
    std::string result;
    if (places == 0) {
        result = digits;
    } else {
        digits = PadLeft(digits, places + 1, '0');
        std::string integer = digits.substr(0, digits.size() - places);
        std::string fraction = digits.substr(digits.size() - places);
        if (ADecimals < 0)
            while (!fraction.empty() && fraction.back() == '0')
                fraction.pop_back();
        result = integer;
        if (!fraction.empty())
            result += "." + fraction;
    }
    return ANegative ? "-" + result : result;
}

// Rounded quotient (half up) of a non-negative product.
std::uint64_t RoundDiv(TUInt128 A, TUInt128 B) {
    return static_cast<std::uint64_t>((A + B / 2) / B);
}

} // namespace

std::string TCommonOutputFormat::NumToStrU(std::uint64_t ANum, int ANumericBase) {
    if (ANumericBase < 2 || ANumericBase > 36)
        ANumericBase = 10;
    if (ANum == 0)
        return "0";
    std::string digits;
    while (ANum > 0) {
        const int digit = static_cast<int>(ANum % static_cast<std::uint64_t>(ANumericBase));
        digits.insert(digits.begin(),
                      static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10));
        ANum /= static_cast<std::uint64_t>(ANumericBase);
    }
    return digits;
}

std::string TCommonOutputFormat::NumToStr(std::int64_t ANum, int ANumericBase) {
    return NumToStrU(Magnitude(ANum), ANumericBase);
}

std::string TCommonOutputFormat::NToS(std::int64_t ANum, int ADecimals, int ANumericBase) {
    if (ANumericBase == 10 && ADecimals == 0)
        return std::to_string(ANum);
    return LayOut(Magnitude(ANum), ANum < 0, ADecimals, ANumericBase);
}

std::string TCommonOutputFormat::NToSBase(std::int64_t ANum, int ANumericBase) {
    return NToS(ANum, 0, ANumericBase);
}

std::string TCommonOutputFormat::NToS(std::string_view AUseFormat, int ANumericBase,
                                      std::int64_t ANum) {
    const std::string digits = NumToStr(ANum, ANumericBase);
    const bool        negative = ANum < 0;
    std::string       result(AUseFormat.size(), ' ');
    std::size_t       next = digits.size(); // digits still to place, taken from the right
    bool              digitWritten = false;
    for (std::size_t i = AUseFormat.size(); i-- > 0;) {
        const char pattern = AUseFormat[i];
        char       out = ' ';
        switch (pattern) {
        case '0':
            out = next > 0 ? digits[--next] : '0';
            digitWritten = true;
            break;
        case '#':
            if (next > 0) {
                out = digits[--next];
                digitWritten = true;
            }
            break;
        case ',':
            out = next > 0 ? ',' : ' ';
            break;
        case '.':
            out = digitWritten ? '.' : ' ';
            break;
        case '+':
            out = negative ? '-' : '+';
            break;
        case '-':
            out = negative ? '-' : ' ';
            break;
        default:
            out = pattern == ' ' ? ' ' : pattern;
            break;
        }
        result[i] = out;
    }
    return result;
}

std::string TCommonOutputFormat::FToS(double ANum) {
    if (std::isnan(ANum))
        return "NAN";
    if (std::isinf(ANum))
        return ANum < 0 ? "-INF" : "INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", ANum);
    return buffer;
}

std::string TCommonOutputFormat::FloatToDecimalString(double AValue, int APrecision, int ADecimals,
                                                      TFloatFormat AFloatFormat) {
    (void)ADecimals;
    if (std::isnan(AValue))
        return "NAN";
    if (std::isinf(AValue))
        return AValue < 0 ? "-INF" : "INF";
    const int exponent =
        AValue == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(AValue))));
    char buffer[512];
    if (AFloatFormat == ffScientic || (AFloatFormat == ffAuto && std::abs(exponent) > 10)) {
        std::snprintf(buffer, sizeof buffer, "%.*e", std::max(0, std::min(APrecision, 19)), AValue);
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, std::min(APrecision, 20)), AValue);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string
TCommonOutputFormat::AddThousandSeparators(std::string_view              AValue,
                                           const TEnglishFormatSettings& AFormatSettings,
                                           std::string_view              AExponentPrefix) {
    if (AFormatSettings.FThousandGroup <= 1)
        return std::string(AValue);
    std::size_t integerEnd = AValue.find(AFormatSettings.DecimalSeparator);
    if (integerEnd == std::string_view::npos)
        integerEnd = AValue.size();
    if (!AExponentPrefix.empty()) {
        const std::size_t exponent = AValue.find(AExponentPrefix);
        if (exponent != std::string_view::npos && exponent < integerEnd)
            integerEnd = exponent;
    }
    std::string result;
    for (std::size_t i = 0; i < integerEnd; ++i) {
        result += AValue[i];
        const std::size_t following = integerEnd - i - 1;
        if (following > 0 && following % 3 == 0 && AValue[i] >= '0' && AValue[i] <= '9')
            result += AFormatSettings.ThousandSeparator;
    }
    result.append(AValue.substr(integerEnd));
    return result;
}

std::string TCommonOutputFormat::FToSGrouped(double ANum) {
    return AddThousandSeparators(FToS(ANum), EnglishFormatSettings(), "E");
}

std::string TCommonOutputFormat::IntToSGrouped(std::int64_t ANum) {
    return AddThousandSeparators(std::to_string(ANum), EnglishFormatSettings(), "E");
}

std::string TCommonOutputFormat::BToStr(std::int64_t ABytes) {
    const std::uint64_t bytes = Magnitude(ABytes);
    const bool          negative = ABytes < 0;
    if (bytes < 1024)
        return LayOut(bytes, negative, 0, 10) + (bytes == 1 ? " byte" : " bytes");
    static constexpr const char* Units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    TUInt128                     unit = 1024;
    for (int i = 0; i < 6; ++i, unit *= 1024) {
        const bool last = i == 5;
        if (bytes < 10 * unit)
            return LayOut(RoundDiv(static_cast<TUInt128>(bytes) * 100, unit), negative, -2, 10) +
                   " " + Units[i];
        if (bytes < 100 * unit)
            return LayOut(RoundDiv(static_cast<TUInt128>(bytes) * 10, unit), negative, -1, 10) +
                   " " + Units[i];
        if (bytes < 1024 * unit || last)
            return LayOut(RoundDiv(bytes, unit), negative, 0, 10) + " " + Units[i];
    }
    return {};
}

std::string TCommonOutputFormat::BToStr32(std::int32_t ABytes) {
    return BToStr(ABytes);
}

std::string TCommonOutputFormat::NodesToS(std::uint64_t AValue) {
    if (AValue < 1000000ULL)
        return std::to_string(AValue);
    if (AValue < 1000000000ULL)
        return std::to_string(RoundDiv(AValue, 1000ULL)) + " k";
    if (AValue < 1000000000000ULL)
        return std::to_string(RoundDiv(AValue, 1000000ULL)) + " M";
    if (AValue < 1000000000000000ULL)
        return std::to_string(RoundDiv(AValue, 1000000000ULL)) + " G";
    return std::to_string(RoundDiv(AValue, 1000000000000ULL)) + " T";
}

std::string TCommonOutputFormat::ExitCodeToString(std::uint32_t AExitCode) {
    return NumToStrU(AExitCode, 16) + " h";
}

std::string TCommonOutputFormat::MsToStr(std::int64_t AValue, TDisplay ADisplay, int ADecimals,
                                         bool AFixedWidth) {
    std::string text;
    if (AValue < 0)
        text = "-";
    std::uint64_t v = Magnitude(AValue);
    if (ADisplay == diSD && v >= 60000)
        ADisplay = diMSD;
    const char list = EnglishFormatSettings().ListSeparator;
    if (ADisplay == diDHMSD) {
        struct TUnit {
            const char*   Name;
            std::uint64_t Ms;
        };
        static constexpr TUnit Units[] = {
            {"year", 31536000000ULL}, {"week", 604800000ULL}, {"day", 86400000ULL}};
        for (const auto& unit : Units) {
            const std::uint64_t count = v / unit.Ms;
            if (count == 0)
                continue;
            text += std::to_string(count) + " " + unit.Name + (count == 1 ? "" : "s") + list;
            v %= unit.Ms;
        }
    }
    std::uint64_t hours, minutes, seconds, ms;
    if (v >= 4294967295000ULL) {
        hours = 999;
        minutes = 59;
        seconds = 59;
        ms = 999;
    } else {
        ms = v % 1000;
        seconds = v / 1000 % 60;
        minutes = v / 60000 % 60;
        hours = v / 3600000;
    }
    if (ADisplay == diDHMSD)
        hours %= 24;
    bool hoursWritten = false;
    if (ADisplay != diSD) {
        const bool write = ADisplay != diMSD || hours != 0;
        if (write) {
            std::string h = std::to_string(hours);
            if (ADisplay == diHHMSD)
                h = PadLeft(h, 2, '0');
            else if (AFixedWidth && h.size() == 1)
                h = " " + h;
            text += h + ":";
            hoursWritten = true;
        } else if (AFixedWidth) {
            text += "   ";
        }
        std::string m = std::to_string(minutes);
        if (hoursWritten || minutes > 9)
            m = PadLeft(m, 2, '0');
        else if (AFixedWidth)
            m = " " + m;
        text += m + ":";
        text += PadLeft(std::to_string(seconds), 2, '0');
    } else {
        text += std::to_string(hours * 3600 + minutes * 60 + seconds);
    }
    if (ms == 0 && ADecimals <= 0)
        return text;
    const int   places = ADecimals < 0 ? -ADecimals : ADecimals;
    std::string fraction;
    if (places == 1) {
        if (ADecimals > 0 || ms / 100 != 0)
            fraction = std::to_string(ms / 100);
    } else if (places == 2) {
        fraction = PadLeft(std::to_string(ms / 10), 2, '0');
    } else if (places >= 3) {
        fraction = PadLeft(std::to_string(ms), 3, '0');
    }
    if (ADecimals < 0 && !AFixedWidth)
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

std::string TCommonOutputFormat::DateToS(int AYear, int AMonth, int ADay) {
    return PadLeft(std::to_string(AYear), 4, '0') + "-" + PadLeft(std::to_string(AMonth), 2, '0') +
           "-" + PadLeft(std::to_string(ADay), 2, '0');
}

std::string TCommonOutputFormat::TimeToS(int ADecimals, double AT) {
    const double totalMs = AT * 86400000.0;
    const auto   ms = static_cast<std::int64_t>(std::trunc(totalMs));
    std::string  text = MsToStr(ms, diHHMSD, std::min(ADecimals, 3));
    if (ADecimals > 3) {
        // Further digits of the fraction below one millisecond.
        double rest = totalMs - static_cast<double>(ms);
        if (ms % 1000 == 0)
            text += ".000";
        for (int i = 3; i < ADecimals; ++i) {
            rest *= 10;
            const int digit = std::min(9, std::max(0, static_cast<int>(rest)));
            text += static_cast<char>('0' + digit);
            rest -= digit;
        }
    }
    return text;
}

std::string TCommonOutputFormat::DateTimeToS(int ADecimals, double ADateTime) {
    if (ADateTime == 0)
        return {};
    // Civil date from the day count (days since 1899-12-30), by the proleptic Gregorian era
    // arithmetic.
    const double       dayPart = std::floor(ADateTime);
    const std::int64_t z = static_cast<std::int64_t>(dayPart) - 25569 + 719468; // 1970 epoch
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int          day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int          month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int          year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return DateToS(year, month, day) + " " + TimeToS(ADecimals, ADateTime - dayPart);
}

const TCommonOutputFormat& CommonOutputFormat() {
    static const TCommonOutputFormat format;
    return format;
}
