#pragma once

#include "engine/uEngineCommand.h"

// The opponent played the move the engine was pondering on. The engine's search does not
// change; the best move kept since "go ponder" is written now.
class TPonderHitCommand final : public TSimpleEngineCommand {
public:
    TPonderHitCommand();

protected:
    void ExecuteNoParam() override;
};
