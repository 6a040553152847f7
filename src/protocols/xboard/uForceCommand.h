#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "force": the engine plays neither side; moves are only played.
class TForceCommand final : public TXBoardProtocolCommand {
public:
    TForceCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
