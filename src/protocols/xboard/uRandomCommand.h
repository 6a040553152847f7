#pragma once

#include "engine/uEngineCommand.h"

// "random": toggles "Random Play".
class TRandomCommand final : public TSimpleEngineCommand {
public:
    TRandomCommand();

protected:
    void ExecuteNoParam() override;
};
