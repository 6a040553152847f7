#include "protocols/xboard/uLevelCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uProtocolLevels.h"
#include "protocols/xboard/uXBoardParameterReader.h"

namespace {

constexpr std::int64_t MaximalBaseMinutes = 5256000; // ten years

} // namespace

void TLevelCommandParser::Parse(std::string_view AText) {
    TXBoardParameterReader reader(AText);
    const std::int64_t     moveCount = reader.ReadInteger();
    const std::string      base = reader.ReadWord();
    const std::string      increment = reader.ReadWord();
    const TTimeSpan        baseTime =
        base.find(':') != std::string::npos
                   ? ReadClockTime(base)
                   : TTimeSpan::FromSecondsFloat(ReadDecimal(base, 0, 0, MaximalBaseMinutes) * 60);
    // A missing increment is no increment.
    const TTimeSpan incrementTime = increment.find(':') != std::string::npos
                                        ? ReadClockTime(increment)
                                        : TTimeSpan::FromSecondsFloat(ReadDecimal(increment, 0));
    FMoveCount = ClampToInt32(moveCount);
    FIncrementTime = baseTime;
    FMoveIncrementTime = incrementTime;
}

TLevelCommand::TLevelCommand()
    : TEngineCommand("TLevelCommand"), FTimeControlLevel(std::make_unique<TTimeControlLevel>()) {
    SetDescription("In conventional clock mode, every time control period is the same. That is, "
                   "if the time control is 40 moves in 5 minutes, then after each side has made "
                   "40 moves, they each get an additional 5 minutes, and so on, ad infinitum.");
}

TLevelCommand::~TLevelCommand() = default;

void TLevelCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    FLevelCommandParser.Parse(AParameters);
    SetUpTimeControlLevel(*FTimeControlLevel, engine.CommonOptions(),
                          {FLevelCommandParser.MoveCount(), FLevelCommandParser.IncrementTime(),
                           FLevelCommandParser.MoveIncrementTime(), TTimeSpan()});
    UseAsMyLevel(engine, *FTimeControlLevel);
}
