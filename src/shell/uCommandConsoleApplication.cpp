#include "shell/uCommandConsoleApplication.h"

#include "platform/uFileStatistics.h"
#include "platform/uPlatformConsole.h"
#include "platform/uPlatformSignals.h"
#include "shell/uCommonApplication.h"
#include "shell/uConsoleReader.h"
#include "shell/uCustomCommand.h"
#include "shell/uCustomConsole.h"
#include "shell/uDefaultCommands.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uKvIniFile.h"
#include "support/uLogger.h"
#include "support/uOutputInfo.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Output that cannot be written ends the session like the end of input; the reader is woken so
// that it does not wait for a line first.
void OnOutputFailure() {
    if (auto* application = dynamic_cast<TCommandConsoleApplication*>(Application()))
        application->Terminate();
}

} // namespace

TCommandConsoleApplication::TCommandConsoleApplication() = default;
TCommandConsoleApplication::~TCommandConsoleApplication() = default;

void TCommandConsoleApplication::AddArguments() {
    TConsoleApplication::AddArguments();
    FStartupArgument = std::make_unique<TFileNameArgument>("startup", "File with startup commands.",
                                                           rcOptional, false);
    Arguments().Add(*FStartupArgument);
}

void TCommandConsoleApplication::RunInitializationSequence() {
    TConsoleApplication::RunInitializationSequence();
    FConsoleReader = std::make_unique<TConsoleReader>();
    SetStreamFailureHandler(OnOutputFailure);
    // A startup file that cannot be read costs its commands, not the session: the front end
    // still gets an engine that reads standard input.
    if (FStartupArgument->Exists()) {
        const std::string startupFile = FStartupArgument->Value();
        const std::string error = FConsoleReader->OpenStartupFile(startupFile);
        if (!error.empty())
            WriteError("Can not read startup file \"" + startupFile + "\": " + error + ".");
    }
    FConsoleReader->SetOnReadInputText(
        [this](const std::string& AText) { ProcessInputText(AText); });
    FConsoleReader->SetOnWoken([this] { RunWaitingLines(); });
    // The input has ended: what was asked for is still done and reported, then the program ends
    // as on quit.
    FConsoleReader->SetOnEndOfInput([this] {
        try {
            FinishWaitingWork();
        } catch (const std::exception& e) {
            ReportFatalError(e);
        }
        Terminate();
    });
    FCommands = std::make_unique<TDefaultCommands>(
        LogFileName(), MainIniFile() != nullptr ? MainIniFile()->FileName() : std::string(),
        LocalIniFile() != nullptr ? LocalIniFile()->FileName() : std::string());
}

void TCommandConsoleApplication::RunFinalizationSequence() {
    // The program is ending anyway; a late signal must not cut the finalization short.
    SetTerminationHandler(nullptr);
    SetStreamFailureHandler(nullptr);
    if (FConsoleReader) {
        FConsoleReader->TerminateAndWait();
        FConsoleReader.reset();
    }
    FCommands.reset();
    FStartupArgument.reset();
    TConsoleApplication::RunFinalizationSequence();
}

int TCommandConsoleApplication::Execute() {
    // The reader starts only now, after "Initialization sequence done", so a front end always
    // sees the start lines before the answer to its first command.
    FConsoleReader->Start();
    const int result = FConsoleReader->WaitFor();
    // Said on the error stream and in the log: standard output is the one that failed.
    if (StreamFailure() != 0)
        WriteError("Can not write to standard output: " + StreamFailureText() + ".");
    return result;
}

void TCommandConsoleApplication::Terminate() {
    TConsoleApplication::Terminate();
    if (FConsoleReader)
        FConsoleReader->Terminate();
}

void TCommandConsoleApplication::ProcessInputText(const std::string& AText) {
    // Lines after a quit are not run, also within one received text (a startup file). A front
    // end may send anything: bytes that are no UTF-8 text and control characters are replaced
    // before a command sees them, so that no error message echoes them back.
    // Lines end at CR, LF or CRLF; they are viewed in place, not copied, since one may be
    // megabytes long.
    std::string_view text(AText);
    while (!text.empty() && !Terminated()) {
        const std::size_t end = text.find_first_of("\r\n");
        AcceptLine(ReadableText(text.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
}

void TCommandConsoleApplication::AcceptLine(std::string ALine) {
    // Work that has ended since the last line lets the waiting lines go first, also when the
    // reader has not yet seen the wake.
    RunWaitingLines();
    if ((FWaitingLines.empty() && !Busy()) || ActsAtOnce(ALine))
        ProcessLine(ALine);
    else
        FWaitingLines.push_back(std::move(ALine));
}

bool TCommandConsoleApplication::ActsAtOnce(std::string_view ALine) const {
    std::string name;
    std::string parameters;
    SplitCommandLine(ALine, name, parameters);
    const TCustomCommand* command = FCommands->FindByString(name);
    return command != nullptr && command->Enabled() && command->ActsAtOnce();
}

void TCommandConsoleApplication::RunWaitingLines() {
    while (!Terminated() && !FWaitingLines.empty() && !Busy()) {
        const std::string line = std::move(FWaitingLines.front());
        FWaitingLines.pop_front();
        ProcessLine(line);
    }
}

void TCommandConsoleApplication::RunWaitingLinesToEnd() {
    while (!Terminated() && (Busy() || !FWaitingLines.empty())) {
        if (Busy())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        else
            RunWaitingLines();
    }
}

void TCommandConsoleApplication::FinishWaitingWork() {
    // Nobody reads what a perft would report once the output is gone.
    while (!Terminated() && !StreamBroken()) {
        RunWaitingLines();
        if (FWaitingLines.empty() && !Busy())
            break;
        FConsoleReader->WaitForWake();
    }
}

void TCommandConsoleApplication::BusyEnded() {
    if (FConsoleReader)
        FConsoleReader->Wake();
}

void TCommandConsoleApplication::SplitCommandLine(std::string_view ALine, std::string& AName,
                                                  std::string& AParameters) {
    const std::size_t space = ALine.find(' ');
    if (space == std::string_view::npos) {
        AName = ALine;
        AParameters.clear();
        return;
    }
    AName = ALine.substr(0, space);
    std::size_t start = space + 1;
    while (start < ALine.size() && (ALine[start] == ' ' || ALine[start] == '\t'))
        ++start;
    AParameters = ALine.substr(start);
}

void TCommandConsoleApplication::ProcessLine(std::string_view ALine) {
    if (IsLoggerFor(mlDebug))
        MainLog()->Add("<\u2013: " + std::string(ALine), mlDebug);
    // Any run of blanks and tabs separates words, and white space around the line means
    // nothing: front ends differ in both. Spaces inside a line are kept as they are.
    std::string text(ALine);
    std::replace(text.begin(), text.end(), '\t', ' ');
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text[0] == '#' || text[0] == ';')
        return;
    std::string name;
    std::string parameters;
    SplitCommandLine(text, name, parameters);
    ExecuteCommand(name, parameters);
    // Whatever the command wrote reaches a scripted client now, not at the next flush.
    Console().Flush();
}

void TCommandConsoleApplication::ExecuteCommand(const std::string& AName,
                                                const std::string& AParameters) {
    TCustomCommand* command = nullptr;
    try {
        command = &FCommands->FindByStringException(AName);
        command->Execute(AParameters);
        if (TCustomCommand* again = FCommands->FindByString(AName);
            again != nullptr && !again->Response().empty())
            WriteInformation(again->Response());
    } catch (const std::exception& e) {
        HandleCommandException(command, e);
    }
}

void TCommandConsoleApplication::HandleCommandException(TCustomCommand*,
                                                        const std::exception& AException) {
    ReportFatalError(AException);
}
