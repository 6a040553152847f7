#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "go": the engine plays the side to move, now and after each move of the front end.
class TXBoardGoCommand final : public TXBoardProtocolCommand {
public:
    TXBoardGoCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
