#pragma once

#include "engine/uEngineCommand.h"

#include <string>
#include <string_view>

// "nps RATE": a nodes-per-second limit; 0 or less switches it off.
class TNpsCommand final : public TEngineCommand {
public:
    TNpsCommand();
    std::string GetSyntax() const override { return "[NodeRate]"; }
    void        Execute(std::string_view AParameters) override;
};
