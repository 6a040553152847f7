#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "excludeall": no move is considered until one is included.
class TExcludeAllCommand final : public TXBoardProtocolCommand {
public:
    TExcludeAllCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
