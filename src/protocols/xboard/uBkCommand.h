#pragma once

#include "engine/uEngineCommand.h"

// "bk": the book moves of the position, as the engine's book reports them.
class TBkCommand final : public TSimpleEngineCommand {
public:
    TBkCommand();

protected:
    void ExecuteNoParam() override;
};
