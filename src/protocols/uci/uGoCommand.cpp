#include "protocols/uci/uGoCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uProtocolLevels.h"
#include "protocols/uci/uUCIEngineOutput.h"
#include "protocols/uci/uUCIParameterReader.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// clang-format off
const std::vector<std::string> GoKeywords = {
    "searchmoves", "infinite", "depth", "mate", "movetime", "nodes", "movestogo",
    "wtime", "btime", "winc", "binc", "byoyomi"};
// clang-format on

// A clock of "the whole time control" in front ends that have no clock.
constexpr std::int64_t UnlimitedClock = 2147483647;
constexpr std::int64_t UnlimitedClockReplacement = 900000;

std::int64_t ClockMilliseconds(std::int64_t AValue) {
    return AValue == UnlimitedClock ? UnlimitedClockReplacement : AValue;
}

} // namespace

TGoCommand::TGoCommand() : TEngineCommand("TGoCommand") {
    SetDescription("Start calculating on the current position set up with the \"position\" "
                   "command.");
}

// The engine is freed before the console's commands, so the levels go without a word to it.
TGoCommand::~TGoCommand() = default;

std::string TGoCommand::GetSyntax() const {
    std::string syntax = "[";
    for (std::size_t i = 0; i < GoKeywords.size(); ++i)
        syntax += (i > 0 ? " | " : "") + GoKeywords[i];
    return syntax + "]";
}

void TGoCommand::FreeLevels() {
    if (FInternalEngine != nullptr) {
        FInternalEngine->LevelManager().SetMyLevel(nullptr);
        FInternalEngine->LevelManager().SetOpponentLevel(nullptr);
    }
    FMyLevel.reset();
    FOpponentLevel.reset();
}

TGoParameters TGoCommand::Parse(std::string_view AParameters) {
    if (AParameters.empty())
        throw EParseError(GoKeywords, "");
    TGoParameters       go;
    TUCIParameterReader reader(AParameters);
    const auto          limit = [&](TGoParameters::TLimit AKind) {
        go.Limit = AKind;
        go.LimitValue = reader.ReadNumber();
    };
    while (!reader.AtEnd()) {
        const std::string keyword = reader.ReadWord();
        if (keyword.empty())
            continue;
        if (keyword == "searchmoves") {
            // Every word after it is a move, so it comes last.
            go.SearchMoves = true;
            for (std::string move = reader.ReadWord(); !move.empty(); move = reader.ReadWord())
                go.Moves.push_back(move);
        } else if (keyword == "ponder") {
            go.Ponder = true;
        } else if (keyword == "movestogo") {
            go.MovesToGo = std::max<std::int64_t>(0, reader.ReadNumber());
        } else if (keyword == "winc") {
            go.WhiteIncrement = reader.ReadNumber();
        } else if (keyword == "binc") {
            go.BlackIncrement = reader.ReadNumber();
        } else if (keyword == "byoyomi") {
            go.Byoyomi = reader.ReadNumber();
        } else if (keyword == "wtime") {
            go.WhiteTime = ClockMilliseconds(reader.ReadNumber());
        } else if (keyword == "btime") {
            go.BlackTime = ClockMilliseconds(reader.ReadNumber());
        } else if (keyword == "depth") {
            limit(TGoParameters::glDepth);
        } else if (keyword == "mate") {
            limit(TGoParameters::glMate);
        } else if (keyword == "movetime") {
            limit(TGoParameters::glMoveTime);
        } else if (keyword == "nodes") {
            limit(TGoParameters::glNodes);
        } else if (keyword == "infinite") {
            go.Infinite = true;
        } else {
            throw EParseError(GoKeywords, keyword);
        }
    }
    return go;
}

void TGoCommand::BuildLevels(TInternalEngine& AEngine, const TGoParameters& AGo) {
    switch (AGo.Limit) {
    case TGoParameters::glDepth: {
        auto level = std::make_unique<TMaximalDepthLevel>();
        level->SetValue(ClampToInt32(AGo.LimitValue));
        FMyLevel = std::move(level);
        break;
    }
    case TGoParameters::glMate: {
        auto level = std::make_unique<TWinInLevel>();
        // A mate in N moves is found within 2N plies.
        level->SetValue(ClampToInt32(2 * static_cast<std::int64_t>(ClampToInt32(AGo.LimitValue))));
        FMyLevel = std::move(level);
        break;
    }
    case TGoParameters::glMoveTime: {
        auto level = std::make_unique<TMoveTimeLevel>();
        level->SetValueType(lvtEqual);
        level->SetValue(TTimeSpan::FromMilliseconds(AGo.LimitValue).NonNegative());
        FMyLevel = std::move(level);
        break;
    }
    case TGoParameters::glNodes: {
        auto level = std::make_unique<TNodesLevel>();
        level->SetValueType(lvtEqual);
        level->SetValue(static_cast<std::uint64_t>(std::max<std::int64_t>(0, AGo.LimitValue)));
        FMyLevel = std::move(level);
        break;
    }
    case TGoParameters::glNone:
        BuildClockLevels(AEngine, AGo);
        break;
    }
}

void TGoCommand::BuildClockLevels(TInternalEngine& AEngine, const TGoParameters& AGo) {
    if (TEngineOutput* output = AEngine.Output(); output != nullptr && output->DebugMode())
        output->TellGUIDebug("Side to move: " + std::to_string(AEngine.SideToMove()));
    TClockSetting first{
        ClampToInt32(AGo.MovesToGo),
        TTimeSpan::FromMilliseconds(FFirstPlayerUsesBlackClock ? AGo.BlackTime : AGo.WhiteTime),
        TTimeSpan::FromMilliseconds(FFirstPlayerUsesBlackClock ? AGo.BlackIncrement
                                                               : AGo.WhiteIncrement),
        TTimeSpan::FromMilliseconds(AGo.Byoyomi)};
    TClockSetting second{
        first.MoveCount,
        TTimeSpan::FromMilliseconds(FFirstPlayerUsesBlackClock ? AGo.WhiteTime : AGo.BlackTime),
        TTimeSpan::FromMilliseconds(FFirstPlayerUsesBlackClock ? AGo.WhiteIncrement
                                                               : AGo.BlackIncrement),
        first.FreeTime};
    if (AEngine.SideToMove() == 1)
        std::swap(first, second);
    auto myLevel = std::make_unique<TTimeControlLevel>();
    SetUpTimeControlLevel(*myLevel, AEngine.CommonOptions(), first);
    auto opponentLevel = std::make_unique<TTimeControlLevel>();
    SetUpTimeControlLevel(*opponentLevel, AEngine.CommonOptions(), second);
    FMyLevel = std::move(myLevel);
    FOpponentLevel = std::move(opponentLevel);
    AEngine.LevelManager().SetMyRemainTime(first.TotalTime);
    AEngine.LevelManager().SetOpponentRemainTime(second.TotalTime);
}

void TGoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (AParameters.empty())
        throw EParseError(GoKeywords, "");
    TInternalEngine& engine = Engine();
    auto*            uciOutput = dynamic_cast<TUCIEngineOutput*>(engine.Output());
    // Each go gets its own best move: one still kept from an endless search that was never
    // stopped goes out first.
    if (uciOutput != nullptr)
        uciOutput->ReleaseBestMove();
    FreeLevels();

    TGoParameters go;
    try {
        engine.RootMoves().Clear();
        engine.LevelManager().SetInfiniteAnalysis(false);
        go = Parse(AParameters);
        if (go.SearchMoves) {
            engine.RootMoves().ExcludeAll();
            for (const std::string& move : go.Moves)
                engine.RootMoves().Include(move);
        }
        BuildLevels(engine, go);
    } catch (...) {
        FreeLevels();
        throw;
    }

    engine.LevelManager().SetInfiniteAnalysis(go.Infinite);
    UseLevels(engine, *FMyLevel, FOpponentLevel.get());
    // A front end that asked for an endless search waits for "stop" or "ponderhit" before it
    // takes a best move; one given earlier would be read as the answer to the next go.
    if (uciOutput != nullptr && (go.Infinite || go.Ponder))
        uciOutput->HoldBestMove();
    engine.Start();
}
