#pragma once

#include "engine/uEngineCommand.h"

#include <string_view>

// "otim N": the opponent's clock, read as "time" reads the engine's.
class TOTimCommand final : public TEngineCommand {
public:
    TOTimCommand();
    void Execute(std::string_view AParameters) override;
};
