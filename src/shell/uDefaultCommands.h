#pragma once

#include "shell/uCustomCommand.h"

#include <string>

// Shows the command table, or the usage and description of one command.
class THelpCommand final : public TCustomCommand {
public:
    explicit THelpCommand(TCommands& ACommands);
    std::string GetSyntax() const override { return "[{empty} or a valid command]"; }
    void        Execute(std::string_view AParameters) override;

private:
    TCommands& FCommands;
};

class TExitCommand : public TSimpleCommand {
public:
    explicit TExitCommand(std::string_view AClassName = "TExitCommand");

protected:
    void ExecuteNoParam() override;
};

class TQuitCommand final : public TExitCommand {
public:
    TQuitCommand() : TExitCommand("TQuitCommand") { SetActsAtOnce(true); }
};

class TRestartCommand final : public TExitCommand {
public:
    TRestartCommand();

protected:
    void ExecuteNoParam() override;
};

class TAboutCommand final : public TSimpleCommand {
public:
    TAboutCommand();
    // Label=value lines of the non-empty project entries.
    static std::string AboutText();

protected:
    void ExecuteNoParam() override;
};

class TStateCommand final : public TSimpleCommand {
public:
    TStateCommand();

protected:
    void ExecuteNoParam() override;
};

class TSystemInfoCommand final : public TSimpleCommand {
public:
    TSystemInfoCommand();

protected:
    void ExecuteNoParam() override;
};

// Opens a file (the log or a configuration file) in the desktop's viewer. Where none can be
// started (no desktop, a console over ssh) the file is shown as the response instead: its last
// ALastLines lines, or all of it when ALastLines is 0.
class TShowFileCommand final : public TSimpleCommand {
public:
    TShowFileCommand(std::string_view AShortcut, std::string_view ADescription,
                     std::string AFileName, std::size_t ALastLines = 0);
    const std::string& FileName() const { return FFileName; }

protected:
    void ExecuteNoParam() override;

private:
    std::string FFileName;
    std::size_t FLastLines;
};

// The registry with the framework's own commands, in their order. The file viewers are
// registered only for files that exist now.
class TDefaultCommands final : public TCommands {
public:
    TDefaultCommands(const std::string& ALogFileName = {}, const std::string& AMainIniFileName = {},
                     const std::string& ALocalIniFileName = {});
};
