#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// "memory MB": not supported; it answers "<keyword> command is not supported." and the
// feature list tells the front end not to send it.
class TMemoryCommand final : public TUnsupportedCommand {
public:
    TMemoryCommand();
    std::string GetSyntax() const override { return "[MegaBytes]"; }
};
