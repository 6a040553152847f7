#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "undo": one move back.
class TUndoCommand final : public TXBoardProtocolCommand {
public:
    TUndoCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
