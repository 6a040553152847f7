#pragma once

#include "engine/uEngineCommand.h"

// "draw": the opponent offers a draw; the engine accepts it when its last search said so.
class TDrawCommand final : public TSimpleEngineCommand {
public:
    TDrawCommand();

protected:
    void ExecuteNoParam() override;
};
