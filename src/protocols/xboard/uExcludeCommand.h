#pragma once

#include "app/uCustomCommand.h"
#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// The root-move filter of the XBoard protocol. "exclude all" and "include all", the forms
// xboard sends, work like "excludeall" and "includeall". In analyse mode a changed filter
// starts a new analysis.

// "exclude MOVE": the search leaves the move out.
class TExcludeCommand final : public TXBoardProtocolCommand {
public:
    TExcludeCommand();
    std::string GetSyntax() const override { return "[Move]"; }
    void        Execute(std::string_view AParameters) override;
};

// "include MOVE": the search considers the move again (after "excludeall" only such moves).
class TIncludeCommand final : public TXBoardProtocolCommand {
public:
    TIncludeCommand();
    std::string GetSyntax() const override { return "[Move]"; }
    void        Execute(std::string_view AParameters) override;
};

// "excludeall": no move is considered until one is included.
class TExcludeAllCommand final : public TXBoardProtocolCommand {
public:
    TExcludeAllCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "includeall": every move is considered (the state of a new position).
class TIncludeAllCommand final : public TXBoardProtocolCommand {
public:
    TIncludeAllCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
