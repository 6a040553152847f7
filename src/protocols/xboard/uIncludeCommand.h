#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "include MOVE": the search considers the move again (after "excludeall" only such moves).
class TIncludeCommand final : public TXBoardProtocolCommand {
public:
    TIncludeCommand();
    std::string GetSyntax() const override { return "[Move]"; }
    void        Execute(std::string_view AParameters) override;
};
