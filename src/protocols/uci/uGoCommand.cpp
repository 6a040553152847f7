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
#include "protocols/usi/uUSIEngineOutput.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <limits>
#include <optional>
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

bool IsGoKeyword(std::string_view AWord) {
    return AWord == "ponder" ||
           std::find(GoKeywords.begin(), GoKeywords.end(), AWord) != GoKeywords.end();
}

// The keywords followed by a number.
bool IsNumberKeyword(std::string_view AWord) {
    return IsGoKeyword(AWord) && AWord != "searchmoves" && AWord != "infinite" && AWord != "ponder";
}

// A whole word of signs ("-" flips) and decimal digits; none for anything else. Values beyond
// the 64-bit range saturate.
std::optional<std::int64_t> ReadCheckedNumber(std::string_view AWord) {
    const std::size_t digits = AWord.find_first_not_of("+-");
    if (digits == std::string_view::npos ||
        AWord.find_first_not_of("0123456789", digits) != std::string_view::npos)
        return std::nullopt;
    TUCIParameterReader reader(AWord);
    return reader.ReadNumber();
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

void TGoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (FInternalEngine == nullptr)
        return;
    TInternalEngine& engine = *FInternalEngine;
    auto*            uciOutput = dynamic_cast<TUCIEngineOutput*>(engine.Output());
    // A go that waits for "stop" or "ponderhit" is still running: it keeps its search and
    // gives its own best move; a second go is refused.
    if (uciOutput != nullptr && uciOutput->HoldingBestMove())
        throw Exception("Engine is running.");
    FreeLevels();
    // A go always ends with a best move: what cannot be read is reported on an error line and
    // left out, and the search runs with the rest.
    auto complain = [&](const std::string& AMessage) {
        if (TEngineOutput* output = engine.Output())
            output->TellGUIError("Command " + Shortcut() + ": " + AMessage);
    };
    bool       mateSearch = false;
    const bool usi = dynamic_cast<TUSIEngineOutput*>(engine.Output()) != nullptr;

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
                // Every word after it is a move, so it comes last. A move given twice is named
                // and counted once; with no move left, every move counts.
                engine.RootMoves().ExcludeAll();
                std::string repeated;
                bool        any = false;
                for (std::string move = reader.ReadWord(); !move.empty();
                     move = reader.ReadWord()) {
                    try {
                        engine.RootMoves().Include(move);
                        any = true;
                    } catch (const Exception&) {
                        repeated += " " + move;
                    }
                }
                if (!repeated.empty())
                    complain("searchmoves left out:" + repeated);
                if (!any)
                    engine.RootMoves().Clear();
                continue;
            }
            if (keyword == "mate" && usi) {
                // The shipped engine does not search for mates: the front end is told so
                // instead of waiting for a "checkmate" line. The length ("infinite" or
                // milliseconds) is read and not used.
                const std::size_t position = reader.Position();
                const std::string length = reader.ReadWord();
                if (length != "infinite" && !ReadCheckedNumber(length))
                    reader.SetPosition(position);
                mateSearch = true;
                continue;
            }
            if (!IsNumberKeyword(keyword)) {
                if (keyword == "ponder")
                    go.Ponder = true;
                else if (keyword == "infinite")
                    go.Infinite = true;
                else
                    complain(EParseError(GoKeywords, keyword).what());
                continue;
            }
            // The number is the next word; a word that is no number is left for the next
            // keyword unless it is none.
            const std::size_t                 position = reader.Position();
            const std::string                 word = reader.ReadWord();
            const std::optional<std::int64_t> number = ReadCheckedNumber(word);
            if (!number) {
                complain("'" + keyword + "' needs a number; left out");
                if (IsGoKeyword(word))
                    reader.SetPosition(position);
                continue;
            }
            if (keyword == "movestogo") {
                go.MovesToGo = std::max<std::int64_t>(0, *number);
            } else if (keyword == "winc") {
                go.WhiteIncrement = *number;
            } else if (keyword == "binc") {
                go.BlackIncrement = *number;
            } else if (keyword == "byoyomi") {
                go.Byoyomi = *number;
            } else if (keyword == "wtime") {
                go.WhiteTime = ClockMilliseconds(*number);
            } else if (keyword == "btime") {
                go.BlackTime = ClockMilliseconds(*number);
            } else if (keyword == "depth") {
                auto level = std::make_unique<TMaximalDepthLevel>();
                level->SetValue(ToInt32(*number));
                FMyLevel = std::move(level);
            } else if (keyword == "mate") {
                auto level = std::make_unique<TWinInLevel>();
                // A mate in N moves is found within 2N plies.
                level->SetValue(ToInt32(2 * static_cast<std::int64_t>(ToInt32(*number))));
                FMyLevel = std::move(level);
            } else if (keyword == "movetime") {
                auto level = std::make_unique<TMoveTimeLevel>();
                level->SetValueType(lvtEqual);
                level->SetValue(TTimeSpan::FromMilliseconds(*number).NonNegative());
                FMyLevel = std::move(level);
            } else if (keyword == "nodes") {
                auto level = std::make_unique<TNodesLevel>();
                level->SetValueType(lvtEqual);
                level->SetValue(static_cast<std::uint64_t>(std::max<std::int64_t>(0, *number)));
                FMyLevel = std::move(level);
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

    if (mateSearch) {
        FreeLevels();
        if (TEngineOutput* output = engine.Output()) {
            TWriteBlock block(*output);
            output->WriteLine("checkmate notimplemented", ccKeyword);
        }
        return;
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
