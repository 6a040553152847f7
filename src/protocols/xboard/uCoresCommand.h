#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// "cores N": not supported; it answers "<keyword> command is not supported." and the
// feature list tells the front end not to send it.
class TCoresCommand final : public TUnsupportedCommand {
public:
    TCoresCommand();
    std::string GetSyntax() const override { return {}; }
};
