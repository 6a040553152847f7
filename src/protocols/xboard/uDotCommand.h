#pragma once

#include "engine/uEngineCommand.h"

// ".": the status line of the search, then the current line when "UCI_ShowCurrLine" is on.
class TDotCommand final : public TSimpleEngineCommand {
public:
    TDotCommand();

protected:
    void ExecuteNoParam() override;
};
