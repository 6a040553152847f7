#pragma once

#include "shell/uCustomCommand.h"

// "random": toggles "Random Play".
class TRandomCommand final : public TSimpleEngineCommand {
public:
    TRandomCommand();

protected:
    void ExecuteNoParam() override;
};
