#pragma once

#include "engine/uEngineCommand.h"

#include <string>
#include <string_view>

// "ping N": "pong " and the parameter text as it came. Commands run in input order, so the
// answer also tells that everything sent before it is done.
class TPingCommand final : public TEngineCommand {
public:
    TPingCommand();
    std::string GetSyntax() const override { return "[Id]"; }
    void        Execute(std::string_view AParameters) override;
};
