#pragma once

#include "protocols/uUCIProtocol.h"

#include <memory>

class TGameOverCommand;

// The USI protocol: the UCI protocol with the names shogi front ends use. Option names lose
// their blanks (the engine's options too, for the rest of the process), the announcement ends
// with "usiok", the new-game command is "usinewgame", btime and binc are the first player's
// (Black's) clock, and the options USI_Ponder and USI_Hash that front ends send to every engine
// are ignored; "gameover" is accepted. Used on the console reader thread.
class TUSIProtocol final : public TUCIProtocol {
public:
    TUSIProtocol();

    void Initialize() override;
};

// "gameover win|lose|draw": the front end's word on the game's end; nothing to do for an engine
// that keeps no game record.
class TGameOverCommand final : public TEngineCommand {
public:
    TGameOverCommand();
    std::string GetSyntax() const override { return "win | lose | draw"; }
    void        Execute(std::string_view AParameters) override;
};
