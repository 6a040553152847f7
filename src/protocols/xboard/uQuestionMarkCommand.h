#pragma once

#include "protocols/uci/uStopCommand.h"

// "?": move now.
class TQuestionMarkCommand final : public TStopCommand {
public:
    TQuestionMarkCommand();
};
