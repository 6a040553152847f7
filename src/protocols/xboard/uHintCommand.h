#pragma once

#include "engine/uEngineCommand.h"

// "hint": "Hint: " and the second move of the actual analysis line (the move expected from the
// opponent), or the null move when the line is shorter.
class THintCommand final : public TSimpleEngineCommand {
public:
    THintCommand();

protected:
    void ExecuteNoParam() override;
};
