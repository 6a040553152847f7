#pragma once

#include "engine/uEngineCommand.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCustomLevel;
class TInternalEngine;

// The keyword values of one "go", as read; nothing checked against the engine yet.
struct TGoParameters {
    // The limit keyword that came last, if any: with one, the clocks are not used.
    enum TLimit : std::uint8_t { glNone, glDepth, glMate, glMoveTime, glNodes };
    TLimit       Limit = glNone;
    std::int64_t LimitValue = 0;
    std::int64_t MovesToGo = 0;
    std::int64_t Byoyomi = 0;
    std::int64_t WhiteTime = 0;
    std::int64_t BlackTime = 0;
    std::int64_t WhiteIncrement = 0;
    std::int64_t BlackIncrement = 0;
    bool         Infinite = false;
    bool         Ponder = false;
    // "searchmoves" and the moves after it, which end the line.
    bool                     SearchMoves = false;
    std::vector<std::string> Moves;
    // "mate" was given, with or without its length.
    bool MateSearch = false;
    // What could not be read, one message each; the rest of the line still counts.
    std::vector<std::string> Errors;
};

// "go ...": builds the search limits from the keywords (a depth, mate, move-time or nodes
// level, or else the time controls of both sides), sets the root-move filter and starts the
// engine. It owns the two levels it built until the next go replaces them; the level manager
// only points to them. With "infinite" or "ponder" the best move is kept until "stop" or
// "ponderhit".
class TGoCommand final : public TEngineCommand {
public:
    TGoCommand();
    ~TGoCommand() override;
    std::string GetSyntax() const override;
    void        Execute(std::string_view AParameters) override;

    // Reads the keywords; an unknown keyword or a keyword without its number is left out and
    // named in Errors.
    static TGoParameters Parse(std::string_view AParameters);

    TCustomLevel* MyLevel() const { return FMyLevel.get(); }
    TCustomLevel* OpponentLevel() const { return FOpponentLevel.get(); }
    // Which clock keywords belong to the first player: "wtime"/"winc" in chess, "btime"/"binc"
    // in shogi, where the first player is Black.
    bool FirstPlayerUsesBlackClock() const { return FFirstPlayerUsesBlackClock; }
    void SetFirstPlayerUsesBlackClock(bool AValue) { FFirstPlayerUsesBlackClock = AValue; }

private:
    void FreeLevels();
    // The limit level, or else the two clock levels of the side to move and its opponent.
    void BuildLevels(TInternalEngine& AEngine, const TGoParameters& AGo);
    void BuildClockLevels(TInternalEngine& AEngine, const TGoParameters& AGo);

    std::unique_ptr<TCustomLevel> FMyLevel;
    std::unique_ptr<TCustomLevel> FOpponentLevel;
    bool                          FFirstPlayerUsesBlackClock = false;
};
