#pragma once

#include "app/uCustomCommand.h"

#include <memory>
#include <string>
#include <string_view>

class TCustomLevel;

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

    TCustomLevel* MyLevel() const { return FMyLevel.get(); }
    TCustomLevel* OpponentLevel() const { return FOpponentLevel.get(); }
    // Which clock keywords belong to the first player: "wtime"/"winc" in chess, "btime"/"binc"
    // in shogi, where the first player is Black.
    bool FirstPlayerUsesBlackClock() const { return FFirstPlayerUsesBlackClock; }
    void SetFirstPlayerUsesBlackClock(bool AValue) { FFirstPlayerUsesBlackClock = AValue; }

private:
    void FreeLevels();

    std::unique_ptr<TCustomLevel> FMyLevel;
    std::unique_ptr<TCustomLevel> FOpponentLevel;
    bool                          FFirstPlayerUsesBlackClock = false;
};
