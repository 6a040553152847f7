#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string_view>

// "usermove MOVE": plays the front end's move; in auto play the engine then answers with its
// own. A move the engine cannot play is answered with "Illegal move: MOVE", which makes the
// front end take it back; the position and the play state stay as they were.
class TUserMoveCommand final : public TXBoardProtocolCommand {
public:
    TUserMoveCommand();
    void Execute(std::string_view AParameters) override;
};
