#include "support/uTextHelpers.h"

#include "support/uExceptions.h"

#include <limits>

char LowerChar(char AChar) {
    return (AChar >= 'A' && AChar <= 'Z') ? char(AChar + 32) : AChar;
}
char UpperChar(char AChar) {
    return (AChar >= 'a' && AChar <= 'z') ? char(AChar - 32) : AChar;
}

std::string LowerCase(std::string_view AText) {
    std::string result(AText);
    for (char& c : result)
        c = LowerChar(c);
    return result;
}

std::string UpperCase(std::string_view AText) {
    std::string result(AText);
    for (char& c : result)
        c = UpperChar(c);
    return result;
}

bool SameText(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (LowerChar(A[i]) != LowerChar(B[i]))
            return false;
    return true;
}

bool StartsText(std::string_view APrefix, std::string_view AText) {
    return AText.size() >= APrefix.size() && SameText(APrefix, AText.substr(0, APrefix.size()));
}

int CompareText(std::string_view A, std::string_view B) {
    const std::size_t n = std::min(A.size(), B.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(LowerChar(A[i]));
        const auto b = static_cast<unsigned char>(LowerChar(B[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

std::string_view TrimView(std::string_view AText) {
    while (!AText.empty() && IsBlank(AText.front()))
        AText.remove_prefix(1);
    while (!AText.empty() && IsBlank(AText.back()))
        AText.remove_suffix(1);
    return AText;
}

std::string Trim(std::string_view AText) {
    return std::string(TrimView(AText));
}

std::string_view TrimLeftView(std::string_view AText) {
    while (!AText.empty() && IsBlank(AText.front()))
        AText.remove_prefix(1);
    return AText;
}

std::vector<std::string> SplitLines(std::string_view AText) {
    std::vector<std::string> lines;
    std::size_t              start = 0;
    std::size_t              i = 0;
    while (i < AText.size()) {
        const char c = AText[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(AText.substr(start, i - start));
            if (c == '\r' && i + 1 < AText.size() && AText[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < AText.size())
        lines.emplace_back(AText.substr(start));
    return lines;
}

std::vector<std::string> SplitWords(std::string_view AText) {
    std::vector<std::string> words;
    std::size_t              i = 0;
    while (i < AText.size()) {
        while (i < AText.size() && (AText[i] == ' ' || AText[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < AText.size() && AText[i] != ' ' && AText[i] != '\t')
            ++i;
        if (i > start)
            words.emplace_back(AText.substr(start, i - start));
    }
    return words;
}

std::size_t Utf8Length(std::string_view AText) {
    std::size_t count = 0;
    for (const char c : AText)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

std::string_view Utf8Prefix(std::string_view AText, std::size_t ACount) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if ((static_cast<unsigned char>(AText[i]) & 0xC0) != 0x80) {
            if (seen == ACount)
                return AText.substr(0, i);
            ++seen;
        }
    }
    return AText;
}

namespace {

// The length of the well-formed UTF-8 sequence at AText[AIndex] (shortest form, no surrogates,
// at most U+10FFFF), or 0.
std::size_t Utf8SequenceLength(std::string_view AText, std::size_t AIndex) {
    const auto byte = [&](std::size_t AOffset) {
        return static_cast<unsigned char>(AText[AIndex + AOffset]);
    };
    const unsigned char lead = byte(0);
    std::size_t         length;
    unsigned char       low = 0x80;
    unsigned char       high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (AIndex + length > AText.size())
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

} // namespace

std::string ReadableText(std::string_view AText) {
    constexpr std::string_view Replacement = "\xEF\xBF\xBD";
    std::string                result;
    result.reserve(AText.size());
    for (std::size_t i = 0; i < AText.size();) {
        const auto        c = static_cast<unsigned char>(AText[i]);
        const std::size_t length = Utf8SequenceLength(AText, i);
        if (length == 0 || (c < 0x20 && c != '\t') || c == 0x7F) {
            result += Replacement;
            ++i;
        } else {
            result.append(AText, i, length);
            i += length;
        }
    }
    return result;
}

std::string ReplaceAll(std::string_view AText, std::string_view AFrom, std::string_view ATo) {
    std::string result;
    if (AFrom.empty())
        return std::string(AText);
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = AText.find(AFrom, pos);
        if (hit == std::string_view::npos)
            break;
        result.append(AText.substr(pos, hit - pos));
        result.append(ATo);
        pos = hit + AFrom.size();
    }
    result.append(AText.substr(pos));
    return result;
}

std::optional<std::int64_t> TryStrToInt64(std::string_view AText) {
    if (AText.empty())
        return std::nullopt;
    std::size_t i = 0;
    bool        negative = false;
    if (AText[0] == '+' || AText[0] == '-') {
        negative = AText[0] == '-';
        i = 1;
    }
    if (i == AText.size())
        return std::nullopt;
    // Accumulate as a negative number so that the smallest value fits.
    std::int64_t           value = 0;
    constexpr std::int64_t minValue = std::numeric_limits<std::int64_t>::min();
    for (; i < AText.size(); ++i) {
        const char c = AText[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value < (minValue + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == minValue)
            return std::nullopt;
        value = -value;
    }
    return value;
}

std::int64_t StrToInt64(std::string_view AText) {
    if (const auto value = TryStrToInt64(AText))
        return *value;
    throw EConvertError("'" + std::string(AText) + "' is not a valid integer value");
}
