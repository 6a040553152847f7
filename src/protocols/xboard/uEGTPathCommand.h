#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// "egtpath TYPE PATH": not supported; it answers "<keyword> command is not supported." and the
// feature list tells the front end not to send it.
class TEGTPathCommand final : public TUnsupportedCommand {
public:
    TEGTPathCommand();
    std::string GetSyntax() const override { return "[Type Path]"; }
};
