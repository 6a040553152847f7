#pragma once

#include "engine/uEngineCommand.h"

#include <string>
#include <string_view>

// "result CODE {COMMENT}": the game is over; the engine stops, the result itself is not used.
class TResultCommand final : public TEngineCommand {
public:
    TResultCommand();
    std::string GetSyntax() const override { return "[ResultCode Comment]"; }
    void        Execute(std::string_view AParameters) override;
};
