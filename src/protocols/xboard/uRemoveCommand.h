#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "remove": two moves back; the user is on move again.
class TRemoveCommand final : public TXBoardProtocolCommand {
public:
    TRemoveCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
