#pragma once

#include "app/uConsoleApplication.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

class TCommands;
class TConsoleReader;
class TCustomCommand;
class TFileNameArgument;

// A console application driven by command lines: the reader thread delivers lines, each line
// names a registered command, failures are reported and the loop goes on.
class TCommandConsoleApplication : public TConsoleApplication {
public:
    TCommandConsoleApplication();
    ~TCommandConsoleApplication() override;

    TCommands& Commands() { return *FCommands; }
    void       Terminate() override;

    // Splits received text into lines (CR, LF or CR LF) and processes each.
    virtual void ProcessInputText(const std::string& AText);
    void         ProcessLine(std::string_view ALine);
    // Splits a line into the command name (up to the first space) and its parameters (after
    // further spaces and tabs, trailing blanks kept).
    static void SplitCommandLine(std::string_view ALine, std::string& AName,
                                 std::string& AParameters);

protected:
    void AddArguments() override;
    void RunInitializationSequence() override;
    void RunFinalizationSequence() override;
    int  Execute() override;
    void WaitBeforeClose() override {}
    void ExecuteCommand(const std::string& AName, const std::string& AParameters);
    // Reports a failed command; ACommand is null when the name was not found or is disabled.
    virtual void HandleCommandException(TCustomCommand* ACommand, const std::exception& AException);

private:
    std::unique_ptr<TConsoleReader>    FConsoleReader;
    std::unique_ptr<TCommands>         FCommands;
    std::unique_ptr<TFileNameArgument> FStartupArgument;
};
