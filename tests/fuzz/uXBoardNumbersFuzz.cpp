// The lenient readers behind "level", "st", "time", "otim" and the integer parameters: whatever
// the text, an integer reader never fails and always moves on, a decimal is finite and inside
// its range or refused with the program's own error, and a clock reading lies between zero and
// one day or is refused.
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "uFuzzSupport.h"

#include <cmath>

namespace {

void ReadWordsAndIntegers(std::string_view AText) {
    TXBoardParameterReader words(AText);
    std::size_t            count = 0;
    while (!words.ReadWord().empty())
        Require(++count <= AText.size(), "reading words ends", AText);
    Require(words.AtEnd() || words.Rest().find_first_not_of(" \t") == std::string_view::npos,
            "the words cover the text", AText);

    TXBoardParameterReader integers(AText);
    for (std::size_t i = 0; i <= AText.size(); ++i) {
        (void)integers.ReadInteger();
        if (integers.ReadWord().empty())
            break;
    }
}

void ReadDecimals(std::string_view AText) {
    try {
        const double value = ReadDecimal(AText, 5.0);
        Require(std::isfinite(value), "a decimal is finite", AText);
    } catch (const EConvertError&) {
    }
    try {
        const double value = ReadDecimal(AText, 5.0, -100, 100);
        Require(value >= -100 && value <= 100, "a decimal keeps its range", AText);
    } catch (const EConvertError&) {
    }
}

void ReadClock(std::string_view AText) {
    try {
        const TTimeSpan time = ReadClockTime(AText);
        Require(time.Ticks() >= 0 && time <= TTimeSpan::FromSeconds(86400),
                "a clock reading lies within a day", AText);
    } catch (const EConvertError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    const std::string_view text = InputText(AData, ASize);
    ReadWordsAndIntegers(text);
    ReadDecimals(text);
    ReadClock(text);
    return 0;
}
