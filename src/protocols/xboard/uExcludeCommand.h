#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "exclude MOVE": the search leaves the move out.
class TExcludeCommand final : public TXBoardProtocolCommand {
public:
    TExcludeCommand();
    std::string GetSyntax() const override { return "[Move]"; }
    void        Execute(std::string_view AParameters) override;
};
