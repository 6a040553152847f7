#pragma once

#include "app/uCustomCommand.h"

#include <string>

// XBoard commands this engine does not support: each answers "<keyword> command is not
// supported." and changes nothing. The feature list tells the front end not to send them.

class TMemoryCommand final : public TUnsupportedCommand {
public:
    TMemoryCommand();
    std::string GetSyntax() const override { return "[MegaBytes]"; }
};

class TCoresCommand final : public TUnsupportedCommand {
public:
    TCoresCommand();
    std::string GetSyntax() const override { return {}; }
};

class TEditCommand final : public TUnsupportedCommand {
public:
    TEditCommand();
    std::string GetSyntax() const override { return {}; }
};

class TSetScoreCommand final : public TUnsupportedCommand {
public:
    TSetScoreCommand();
    std::string GetSyntax() const override { return "[Score Depth]"; }
};

class TEGTPathCommand final : public TUnsupportedCommand {
public:
    TEGTPathCommand();
    std::string GetSyntax() const override { return "[Type Path]"; }
};
