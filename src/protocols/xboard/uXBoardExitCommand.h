#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "exit": leaves analyse mode; refused outside it.
class TXBoardExitCommand final : public TXBoardProtocolCommand {
public:
    TXBoardExitCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
