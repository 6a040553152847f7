#include "support/uEscapedText.h"

std::string EscapeText(std::string_view AText) {
    std::string result;
    result.reserve(AText.size());
    for (const char c : AText) {
        switch (c) {
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\v':
            result += "\\v";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\x1b':
            result += "\\e";
            break;
        case '\\':
            result += "\\\\";
            break;
        default:
            result += c;
            break;
        }
    }
    return result;
}

void AppendUtf8(std::string& AText, unsigned ACodePoint) {
    if (ACodePoint < 0x80) {
        AText += static_cast<char>(ACodePoint);
    } else if (ACodePoint < 0x800) {
        AText += static_cast<char>(0xC0 | (ACodePoint >> 6));
        AText += static_cast<char>(0x80 | (ACodePoint & 0x3F));
    } else {
        AText += static_cast<char>(0xE0 | (ACodePoint >> 12));
        AText += static_cast<char>(0x80 | ((ACodePoint >> 6) & 0x3F));
        AText += static_cast<char>(0x80 | (ACodePoint & 0x3F));
    }
}

namespace {

int DigitValue(char c, int ABase) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && value < ABase ? value : -1;
}

} // namespace

std::string UnescapeText(std::string_view AText) {
    std::string result;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] != '\\' || i + 1 >= AText.size()) {
            result += AText[i];
            continue;
        }
        const char c = AText[++i];
        auto       number = [&](int ABase, int AMaxDigits) {
            unsigned value = 0;
            int      digits = 0;
            while (digits < AMaxDigits && i + 1 < AText.size() &&
                   DigitValue(AText[i + 1], ABase) >= 0) {
                value = value * static_cast<unsigned>(ABase) +
                        static_cast<unsigned>(DigitValue(AText[++i], ABase));
                ++digits;
            }
            return value;
        };
        switch (c) {
        case 'a':
            result += '\a';
            break;
        case 'b':
            result += '\b';
            break;
        case 't':
            result += '\t';
            break;
        case 'n':
            result += '\n';
            break;
        case 'v':
            result += '\v';
            break;
        case 'f':
            result += '\f';
            break;
        case 'r':
            result += '\r';
            break;
        case 'e':
        case 'E':
            result += '\x1b';
            break;
        case 'x':
            AppendUtf8(result, number(16, 2));
            break;
        case 'u':
        case 'U':
            AppendUtf8(result, number(16, 4));
            break;
        default:
            if (c >= '0' && c <= '7') {
                --i;
                AppendUtf8(result, number(8, 3));
            } else {
                result += c; // \\ \" \' \? and anything else
            }
            break;
        }
    }
    return result;
}
