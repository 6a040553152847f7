#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/uMainTimer.h"

// Reads the parameter text of an XBoard command. Blanks are spaces and tabs. Integers are read
// leniently, as front ends and users type them: a run of signs, then digits up to the first
// other character; no digits read as 0 and never fail. The text must outlive the reader.
class TXBoardParameterReader final {
public:
    explicit TXBoardParameterReader(std::string_view AText) : FText(AText) {}

    // Skips blanks, then reads up to the next blank; empty at the end of the text.
    std::string ReadWord();
    // Skips blanks, any run of "+" and "-" signs (each "-" flips the sign) and the decimal
    // digits after them. Values beyond the 64-bit range saturate.
    std::int64_t ReadInteger();
    void SkipBlanks();
    // The text from the current position on, unchanged.
    std::string_view Rest() const { return FText.substr(FPosition); }
    bool AtEnd() const { return FPosition >= FText.size(); }

    static bool IsBlank(char AChar) { return AChar == ' ' || AChar == '\t'; }

private:
    std::string_view FText;
    std::size_t FPosition = 0;
};

// The numbers of "level", "st", "time" and "otim": plain decimal numbers with "." as the decimal
// point in every locale, an optional sign, no exponent. Surrounding blanks are ignored and an
// empty text gives the default. Unreadable text raises EConvertError "'x' is not a valid
// number"; a value outside the range "Value x out of range min..max".
double ReadDecimal(std::string_view AText, double ADefault);
double ReadDecimal(std::string_view AText, double ADefault, std::int64_t AMinimum,
                   std::int64_t AMaximum);

// Clock notation: numbers separated by ":", the last seconds, then minutes, hours and days
// (2:30 is two and a half minutes). More than one day is cut to one day. Unreadable text
// raises EConvertError "'x' is not a valid time".
TTimeSpan ReadClockTime(std::string_view AText);
