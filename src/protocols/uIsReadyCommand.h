#pragma once

#include "engine/uEngineCommand.h"

// "readyok" at once: the engine reads commands while it searches, so it is always ready.
class TIsReadyCommand final : public TSimpleEngineCommand {
public:
    TIsReadyCommand();

protected:
    void ExecuteNoParam() override;
};
