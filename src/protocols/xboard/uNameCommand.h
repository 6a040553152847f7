#pragma once

#include "engine/uEngineCommand.h"

#include <string>

// "name X": the opponent's name, which the engine does not use.
class TNameCommand final : public TEngineCommand {
public:
    TNameCommand();
    std::string GetSyntax() const override { return "[UserName]"; }
};
