#pragma once

#include "engine/uEngineCommand.h"

// "easy": pondering off ("Ponder").
class TEasyCommand final : public TSimpleEngineCommand {
public:
    TEasyCommand();

protected:
    void ExecuteNoParam() override;
};
