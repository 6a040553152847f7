#include "protocols/xboard/uTimeCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <cmath>
#include <string>

namespace {

constexpr std::int64_t MaximalClockCentiseconds = 31536000000; // ten years

} // namespace

TTimeCommand::TTimeCommand() : TEngineCommand("TTimeCommand") {
    SetDescription("Set a clock that always belongs to the engine. N is a number in centiseconds "
                   "(units of 1/100 second). Even if the engine changes to playing the opposite "
                   "color, this clock remains with the engine.");
}

void TTimeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    engine.LevelManager().SetMyRemainTime(
        ReadCentisecondClock(AParameters, "your remain time in centi-seconds"));
}

TTimeSpan ReadCentisecondClock(std::string_view AText, std::string_view AExpected) {
    const std::string_view text = TrimView(AText);
    if (text.empty())
        throw EParseError({std::string(AExpected)}, "");
    if (text == "214748364.7")
        return TTimeSpan::FromMinutes(15);
    const double centiseconds =
        ReadDecimal(text, 0, -MaximalClockCentiseconds, MaximalClockCentiseconds);
    return TTimeSpan::FromMilliseconds(std::llround(centiseconds * 10));
}
