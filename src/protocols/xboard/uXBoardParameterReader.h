#pragma once

#include "protocols/uUCIParameterReader.h"
#include "support/uMainTimer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads the parameter text of an XBoard command: words and lenient integers as in UCI (a run of
// signs, then digits up to the first other character; no digits read as 0 and never fail).
class TXBoardParameterReader final : public TUCIParameterReader {
public:
    using TUCIParameterReader::TUCIParameterReader;

    std::int64_t ReadInteger() { return ReadNumber(); }
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
