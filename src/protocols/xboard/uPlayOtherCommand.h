#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "playother": the engine plays the side not to move; it answers the next move.
class TPlayOtherCommand final : public TXBoardProtocolCommand {
public:
    TPlayOtherCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
