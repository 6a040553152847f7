#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// "edit": not supported; it answers "<keyword> command is not supported." and the
// feature list tells the front end not to send it.
class TEditCommand final : public TUnsupportedCommand {
public:
    TEditCommand();
    std::string GetSyntax() const override { return {}; }
};
