#pragma once

#include "engine/uEngineCommand.h"

// "post": thinking output on.
class TPostCommand final : public TSimpleEngineCommand {
public:
    TPostCommand();

protected:
    void ExecuteNoParam() override;
};
