#include "protocols/uGoCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uProtocolLevels.h"
#include "protocols/uUCIParameterReader.h"
#include "support/uExceptions.h"

#include <algorithm>
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

std::int64_t ClockMilliseconds(std::int64_t AValue) {
    return AValue == UnlimitedClock ? UnlimitedClockReplacement : AValue;
}

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

TGoParameters TGoCommand::Parse(std::string_view AParameters) {
    TGoParameters       go;
    TUCIParameterReader reader(AParameters);
    while (!reader.AtEnd()) {
        const std::string keyword = reader.ReadWord();
        if (keyword.empty())
            continue;
        if (keyword == "searchmoves") {
            // Every word after it is a move, so it comes last.
            go.SearchMoves = true;
            for (std::string move = reader.ReadWord(); !move.empty(); move = reader.ReadWord())
                go.Moves.push_back(move);
            continue;
        }
        if (keyword == "mate") {
            // A mate search may have no bound ("infinite", as USI front ends send it).
            go.MateSearch = true;
            const std::size_t position = reader.Position();
            if (reader.ReadWord() == "infinite") {
                go.MateSearch = true;
                continue;
            }
            reader.SetPosition(position);
        }
        if (!IsNumberKeyword(keyword)) {
            if (keyword == "ponder")
                go.Ponder = true;
            else if (keyword == "infinite")
                go.Infinite = true;
            else
                go.Errors.push_back(EParseError(GoKeywords, keyword).what());
            continue;
        }
        // The number is the next word; a word that is no number is left for the next keyword
        // unless it is none.
        const std::size_t                 position = reader.Position();
        const std::string                 word = reader.ReadWord();
        const std::optional<std::int64_t> number = ReadCheckedNumber(word);
        if (!number) {
            go.Errors.push_back("'" + keyword + "' needs a number; left out");
            if (IsGoKeyword(word))
                reader.SetPosition(position);
            continue;
        }
        const auto limit = [&](TGoParameters::TLimit AKind) {
            go.Limit = AKind;
            go.LimitValue = *number;
        };
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
            limit(TGoParameters::glDepth);
        } else if (keyword == "mate") {
            limit(TGoParameters::glMate);
        } else if (keyword == "movetime") {
            limit(TGoParameters::glMoveTime);
        } else if (keyword == "nodes") {
            limit(TGoParameters::glNodes);
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
    TInternalEngine& engine = Engine();
    TEngineOutput*   output = engine.Output();
    // A go that waits for "stop" or "ponderhit" is still running: it keeps its search and
    // gives its own best move; a second go is refused.
    if (output != nullptr && output->HoldingBestMove())
        throw Exception("Engine is running.");
    FreeLevels();
    // A go always ends with a best move: what cannot be read is reported on an error line and
    // left out, and the search runs with the rest.
    auto complain = [&](const std::string& AMessage) {
        if (output != nullptr)
            output->TellGUIError("Command " + Shortcut() + ": " + AMessage);
    };

    const TGoParameters go = Parse(AParameters);
    // The shipped engine does not search for mates: a USI front end is told so instead of
    // waiting for a "checkmate" line, whatever length it gave.
    if (go.MateSearch && output != nullptr && output->Protocol() == epUSI) {
        TWriteBlock block(*output);
        output->WriteLine("checkmate notimplemented", ccKeyword);
        return;
    }
    for (const std::string& error : go.Errors)
        complain(error);
    try {
        engine.RootMoves().Clear();
        engine.LevelManager().SetInfiniteAnalysis(false);
        if (go.SearchMoves) {
            // A move given twice is named and counted once; with no move left, every move
            // counts.
            engine.RootMoves().ExcludeAll();
            std::string repeated;
            bool        any = false;
            for (const std::string& move : go.Moves) {
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
    if (output != nullptr && (go.Infinite || go.Ponder))
        output->HoldBestMove();
    engine.Start();
}
