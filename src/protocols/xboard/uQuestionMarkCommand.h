#pragma once

#include "protocols/uStopCommand.h"

// "?": move now.
class TQuestionMarkCommand final : public TStopCommand {
public:
    TQuestionMarkCommand();
};
