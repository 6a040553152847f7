#pragma once

#include "shell/uConsoleApplication.h"

#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

class TCommands;
class TConsoleReader;
class TCustomCommand;
class TFileNameArgument;

// A console application driven by command lines: the reader thread delivers lines, each line
// names a registered command, failures are reported and the loop goes on. While the program is
// busy (a perft counts on its own threads) the lines that follow wait and then run in input
// order; only commands that act at once (stop words, quit, isready) run as they arrive. At the
// end of input the waiting work is finished before the program ends; Terminate (quit, a signal)
// drops it. Lines run only on the reader thread.
class TCommandConsoleApplication : public TConsoleApplication {
public:
    TCommandConsoleApplication();
    ~TCommandConsoleApplication() override;

    TCommands& Commands() { return *FCommands; }
    void       Terminate() override;

    // Splits received text into lines (CR, LF or CR LF) and processes each.
    virtual void ProcessInputText(const std::string& AText);
    void         ProcessLine(std::string_view ALine);
    // For a caller without the reader thread (a harness): waits for running work and runs the
    // lines that wait for it, until none is left or the program is terminated.
    void RunWaitingLinesToEnd();
    // Drops the lines that wait for running work (a session that ends takes its lines along).
    void DiscardWaitingLines() { FWaitingLines.clear(); }
    // Any thread: the work the program was busy with has ended; the waiting lines run now.
    void BusyEnded();
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
    // True while work started by a command goes on after the command returned.
    virtual bool Busy() const { return false; }
    // Runs the line now, or queues it while the program is busy or lines are waiting.
    void AcceptLine(std::string ALine);

private:
    bool ActsAtOnce(std::string_view ALine) const;
    void RunWaitingLines();
    // At the end of input: runs the waiting lines and waits for the work they start, until none
    // is left or the program is terminated.
    void FinishWaitingWork();

    std::unique_ptr<TConsoleReader>    FConsoleReader;
    std::unique_ptr<TCommands>         FCommands;
    std::unique_ptr<TFileNameArgument> FStartupArgument;
    std::deque<std::string>            FWaitingLines;
};
