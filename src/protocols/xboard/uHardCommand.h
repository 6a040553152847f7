#pragma once

#include "shell/uCustomCommand.h"

// "hard": pondering on ("Ponder").
class THardCommand final : public TSimpleEngineCommand {
public:
    THardCommand();

protected:
    void ExecuteNoParam() override;
};
