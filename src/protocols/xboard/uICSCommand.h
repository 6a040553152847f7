#pragma once

#include "engine/uEngineCommand.h"

#include <string>

// "ics HOST": where the game is played, which the engine does not use.
class TICSCommand final : public TEngineCommand {
public:
    TICSCommand();
    std::string GetSyntax() const override { return "[HostName]"; }
};
