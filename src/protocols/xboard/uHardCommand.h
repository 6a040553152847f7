#pragma once

#include "engine/uEngineCommand.h"

// "hard": pondering on ("Ponder").
class THardCommand final : public TSimpleEngineCommand {
public:
    THardCommand();

protected:
    void ExecuteNoParam() override;
};
