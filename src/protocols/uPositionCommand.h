#pragma once

#include "engine/uEngineCommand.h"

#include <string>
#include <string_view>

// "position startpos | fen <FEN> | sfen <SFEN> [moves <move> ...]": sets the position, then
// plays the moves. A move the engine refuses is reported with its number; the moves before it
// stay played, the refused one and those after it are not.
class TPositionCommand final : public TEngineCommand {
public:
    TPositionCommand();
    std::string GetSyntax() const override {
        return "[fen {FEN} | sfen {SFEN} | startpos] moves {game moves}";
    }
    void Execute(std::string_view AParameters) override;
};
