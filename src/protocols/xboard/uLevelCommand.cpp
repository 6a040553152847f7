#include "protocols/xboard/uLevelCommand.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uStopManager.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t MaximalBaseMinutes = 5256000;           // ten years
constexpr std::int64_t MaximalMoveSeconds = 86400;             // one day
constexpr std::int64_t MaximalClockCentiseconds = 31536000000; // ten years

std::int32_t ClampToInt32(std::int64_t AValue) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(AValue, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace

// ---- TLevelCommandParser ----

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

// ---- TLevelCommand ----

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
    TCommonEngineOptions& options = engine.CommonOptions();
    TTimeControlLevel&    level = *FTimeControlLevel;
    level.SetTimeUsage(static_cast<std::int32_t>(options.TimeUsage().Value()));
    level.SetFixedMoveTime(options.FixedMoveTime().Value());
    level.SetMinimalTime(TTimeSpan::FromMilliseconds(options.MinimalMoveTime().Value()));
    level.SetMaximalMoveOverhead(
        TTimeSpan::FromMilliseconds(options.MaximalMoveOverhead().Value()));
    level.SetMoveCount(FLevelCommandParser.MoveCount());
    level.SetIncrementTime(FLevelCommandParser.IncrementTime());
    level.SetMoveIncrementTime(FLevelCommandParser.MoveIncrementTime());
    level.SetFreeTime(TTimeSpan());
    level.SetMoveIndex(0);
    level.SetAnalysisInfo(&engine.AnalysisInfo());
    engine.LevelManager().SetMyLevel(&level);
}

// ---- TStCommand ----

TStCommand::TStCommand()
    : TEngineCommand("TStCommand"), FMoveTimeLevel(std::make_unique<TMoveTimeLevel>()) {
    SetDescription("Set an exact number of seconds per move.");
    FMoveTimeLevel->SetValueType(lvtEqual);
}

TStCommand::~TStCommand() = default;

void TStCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"exact time per move in seconds"}, "");
    const double seconds = ReadDecimal(AParameters, 1, 0, MaximalMoveSeconds);
    FMoveTimeLevel->SetValue(TTimeSpan::FromSecondsFloat(seconds));
    FMoveTimeLevel->SetAnalysisInfo(&engine.AnalysisInfo());
    engine.LevelManager().SetMyLevel(FMoveTimeLevel.get());
}

// ---- TSdCommand ----

TSdCommand::TSdCommand() : TEngineCommand("TSdCommand") {
    SetDescription(
        "The engine should limit its thinking to DEPTH ply. The commands \"level\" or \"st\" and "
        "\"sd\" can be used together in an orthogonal way. If both are issued, the engine should "
        "observe both limitations: In the protocol, the \"sd\" command isn't a time control. It "
        "doesn't say that your engine has unlimited time but must search to exactly the given "
        "depth. It says that you should pay attention to the time control as normal, but cut off "
        "the search at the specified depth even if you have time to search deeper.");
}

TSdCommand::~TSdCommand() = default;

void TSdCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"maximal depth"}, "");
    TXBoardParameterReader reader(AParameters);
    const std::int64_t     depth = reader.ReadInteger();
    engine.StopManager().SetLimitMaxDepth(ClampToInt32(depth));
    if (engine.LevelManager().MyLevel() == nullptr) {
        if (!FInfiniteLevel)
            FInfiniteLevel = std::make_unique<TInfiniteLevel>();
        FInfiniteLevel->SetAnalysisInfo(&engine.AnalysisInfo());
        engine.LevelManager().SetMyLevel(FInfiniteLevel.get());
    }
}

// ---- TNpsCommand ----

TNpsCommand::TNpsCommand() : TEngineCommand("TNpsCommand") {
    SetDescription("The engine should not use wall-clock time to make its timing decisions, but "
                   "an own internal time measure based on the number of nodes it has searched.");
}

void TNpsCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"exact time per move in seconds"}, "");
    TXBoardParameterReader reader(AParameters);
    engine.StopManager().SetLimitNodesPerSecond(static_cast<double>(reader.ReadInteger()));
}

// ---- TTimeCommand, TOTimCommand ----

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

TOTimCommand::TOTimCommand() : TEngineCommand("TOTimCommand") {
    SetDescription("Set a clock that always belongs to the opponent. N is a number in "
                   "centiseconds (units of 1/100 second). Even if the opponent changes to "
                   "playing the opposite color, this clock remains with the opponent.");
}

void TOTimCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    engine.LevelManager().SetOpponentRemainTime(
        ReadCentisecondClock(AParameters, "opponent time in centi-seconds"));
}
