#include "protocols/uci/uGoCommand.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uci/uUCIEngineOutput.h"
#include "protocols/uci/uUCIParameterReader.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <limits>
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

std::int32_t ToInt32(std::int64_t AValue) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(AValue, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::int64_t ClockMilliseconds(std::int64_t AValue) {
    return AValue == UnlimitedClock ? UnlimitedClockReplacement : AValue;
}

// The keyword values of one go.
struct TGoParameters {
    std::int64_t MovesToGo = 0;
    std::int64_t Byoyomi = 0;
    std::int64_t WhiteTime = 0;
    std::int64_t BlackTime = 0;
    std::int64_t WhiteIncrement = 0;
    std::int64_t BlackIncrement = 0;
    bool         Infinite = false;
    bool         Ponder = false;
};

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
        TUCIParameterReader reader(AParameters);
        while (!reader.AtEnd()) {
            const std::string keyword = reader.ReadWord();
            if (keyword.empty())
                continue;
            if (keyword == "searchmoves") {
                // Every word after it is a move, so it comes last.
                engine.RootMoves().ExcludeAll();
                for (std::string move = reader.ReadWord(); !move.empty(); move = reader.ReadWord())
                    engine.RootMoves().Include(move);
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
                auto level = std::make_unique<TMaximalDepthLevel>();
                level->SetValue(ToInt32(reader.ReadNumber()));
                FMyLevel = std::move(level);
            } else if (keyword == "mate") {
                auto level = std::make_unique<TWinInLevel>();
                // A mate in N moves is found within 2N plies.
                level->SetValue(
                    ToInt32(2 * static_cast<std::int64_t>(ToInt32(reader.ReadNumber()))));
                FMyLevel = std::move(level);
            } else if (keyword == "movetime") {
                auto level = std::make_unique<TMoveTimeLevel>();
                level->SetValueType(lvtEqual);
                level->SetValue(TTimeSpan::FromMilliseconds(reader.ReadNumber()).NonNegative());
                FMyLevel = std::move(level);
            } else if (keyword == "nodes") {
                auto level = std::make_unique<TNodesLevel>();
                level->SetValueType(lvtEqual);
                level->SetValue(
                    static_cast<std::uint64_t>(std::max<std::int64_t>(0, reader.ReadNumber())));
                FMyLevel = std::move(level);
            } else if (keyword == "infinite") {
                go.Infinite = true;
            } else {
                throw EParseError(GoKeywords, keyword);
            }
        }

        if (!FMyLevel) {
            if (TEngineOutput* output = engine.Output(); output != nullptr && output->DebugMode())
                output->TellGUIDebug("Side to move: " + std::to_string(engine.SideToMove()));
            std::int64_t myTime = FFirstPlayerUsesBlackClock ? go.BlackTime : go.WhiteTime;
            std::int64_t myIncrement =
                FFirstPlayerUsesBlackClock ? go.BlackIncrement : go.WhiteIncrement;
            std::int64_t opponentTime = FFirstPlayerUsesBlackClock ? go.WhiteTime : go.BlackTime;
            std::int64_t opponentIncrement =
                FFirstPlayerUsesBlackClock ? go.WhiteIncrement : go.BlackIncrement;
            if (engine.SideToMove() == 1) {
                std::swap(myTime, opponentTime);
                std::swap(myIncrement, opponentIncrement);
            }
            TCommonEngineOptions& options = engine.CommonOptions();
            const auto            timeUsage = ToInt32(options.TimeUsage().Value());
            const bool            fixedMoveTime = options.FixedMoveTime().Value();
            const TTimeSpan       minimalTime =
                TTimeSpan::FromMilliseconds(options.MinimalMoveTime().Value());
            const TTimeSpan maximalOverhead =
                TTimeSpan::FromMilliseconds(options.MaximalMoveOverhead().Value());

            auto myLevel = std::make_unique<TTimeControlLevel>();
            myLevel->SetTimeUsage(timeUsage);
            myLevel->SetFixedMoveTime(fixedMoveTime);
            myLevel->SetMinimalTime(minimalTime);
            myLevel->SetMaximalMoveOverhead(maximalOverhead);
            myLevel->SetMoveCount(ToInt32(go.MovesToGo));
            myLevel->SetIncrementTime(TTimeSpan::FromMilliseconds(myTime));
            myLevel->SetMoveIncrementTime(TTimeSpan::FromMilliseconds(myIncrement));
            myLevel->SetFreeTime(TTimeSpan::FromMilliseconds(go.Byoyomi));
            myLevel->SetMoveIndex(0);

            auto opponentLevel = std::make_unique<TTimeControlLevel>();
            opponentLevel->SetMoveCount(ToInt32(go.MovesToGo));
            opponentLevel->SetMaximalMoveOverhead(maximalOverhead);
            opponentLevel->SetIncrementTime(TTimeSpan::FromMilliseconds(opponentTime));
            opponentLevel->SetMoveIncrementTime(TTimeSpan::FromMilliseconds(opponentIncrement));
            opponentLevel->SetFreeTime(TTimeSpan::FromMilliseconds(go.Byoyomi));
            opponentLevel->SetMoveIndex(0);
            opponentLevel->SetTimeUsage(timeUsage);
            opponentLevel->SetFixedMoveTime(fixedMoveTime);
            opponentLevel->SetMinimalTime(minimalTime);

            FMyLevel = std::move(myLevel);
            FOpponentLevel = std::move(opponentLevel);
            engine.LevelManager().SetMyRemainTime(TTimeSpan::FromMilliseconds(myTime));
            engine.LevelManager().SetOpponentRemainTime(TTimeSpan::FromMilliseconds(opponentTime));
        }
        FMyLevel->SetAnalysisInfo(&engine.AnalysisInfo());
        if (FOpponentLevel)
            FOpponentLevel->SetAnalysisInfo(&engine.AnalysisInfo());
    } catch (...) {
        FreeLevels();
        throw;
    }

    engine.LevelManager().SetInfiniteAnalysis(go.Infinite);
    engine.LevelManager().SetMyLevel(FMyLevel.get());
    engine.LevelManager().SetOpponentLevel(FOpponentLevel.get());
    // A front end that asked for an endless search waits for "stop" or "ponderhit" before it
    // takes a best move; one given earlier would be read as the answer to the next go.
    if (uciOutput != nullptr && (go.Infinite || go.Ponder))
        uciOutput->HoldBestMove();
    engine.Start();
}
