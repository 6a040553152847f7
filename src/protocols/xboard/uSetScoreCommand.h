#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// "setscore SCORE DEPTH": not supported; it answers "<keyword> command is not supported." and the
// feature list tells the front end not to send it.
class TSetScoreCommand final : public TUnsupportedCommand {
public:
    TSetScoreCommand();
    std::string GetSyntax() const override { return "[Score Depth]"; }
};
