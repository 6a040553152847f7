#pragma once

#include "engine/uEngineCommand.h"

// "pause": the engine's thinking stops where it is until "resume".
class TPauseCommand final : public TSimpleEngineCommand {
public:
    TPauseCommand();

protected:
    void ExecuteNoParam() override;
};
