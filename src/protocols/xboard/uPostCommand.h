#pragma once

#include "shell/uCustomCommand.h"

// "post": thinking output on.
class TPostCommand final : public TSimpleEngineCommand {
public:
    TPostCommand();

protected:
    void ExecuteNoParam() override;
};
