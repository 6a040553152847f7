#pragma once

#include "engine/uEngineCommand.h"

// "resume": the thinking stopped by "pause" goes on.
class TResumeCommand final : public TSimpleEngineCommand {
public:
    TResumeCommand();

protected:
    void ExecuteNoParam() override;
};
