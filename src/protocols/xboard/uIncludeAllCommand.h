#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "includeall": every move is considered (the state of a new position).
class TIncludeAllCommand final : public TXBoardProtocolCommand {
public:
    TIncludeAllCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
