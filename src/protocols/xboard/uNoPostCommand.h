#pragma once

#include "engine/uEngineCommand.h"

// "nopost": thinking output off.
class TNoPostCommand final : public TSimpleEngineCommand {
public:
    TNoPostCommand();

protected:
    void ExecuteNoParam() override;
};
