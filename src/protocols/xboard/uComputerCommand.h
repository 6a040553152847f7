#pragma once

#include "engine/uEngineCommand.h"

// "computer": the opponent is an engine too, which this one does not use.
class TComputerCommand final : public TSimpleEngineCommand {
public:
    TComputerCommand();

protected:
    void ExecuteNoParam() override {}
};
