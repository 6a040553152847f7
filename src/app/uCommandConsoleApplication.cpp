#include "app/uCommandConsoleApplication.h"

#include "app/uConsoleReader.h"
#include "app/uCustomCommand.h"
#include "app/uCustomConsole.h"
#include "app/uDefaultCommands.h"
#include "platform/uPlatformSignals.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uFileStatistics.h"
#include "support/uKvIniFile.h"
#include "support/uLogger.h"
#include "support/uOutputInfo.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <fstream>
#include <sstream>

TCommandConsoleApplication::TCommandConsoleApplication() = default;
TCommandConsoleApplication::~TCommandConsoleApplication() = default;

void TCommandConsoleApplication::AddArguments() {
    TConsoleApplication::AddArguments();
    FStartupArgument =
        std::make_unique<TFileNameArgument>("startup", "File with startup commands.", rcOptional);
    Arguments().Add(*FStartupArgument);
}

void TCommandConsoleApplication::RunInitializationSequence() {
    TConsoleApplication::RunInitializationSequence();
    FConsoleReader = std::make_unique<TConsoleReader>();
    const std::string startupFile = FStartupArgument->Value();
    if (!startupFile.empty()) {
        std::ifstream file(startupFile, std::ios::binary);
        if (!file)
            throw EFileNotFoundException("File \"" + startupFile + "\" not found.");
        std::stringstream text;
        text << file.rdbuf();
        const std::string content = text.str();
        FileStatistics().CountRead(content.size());
        FConsoleReader->SetStartupText(content);
    }
    FConsoleReader->SetOnReadInputText(
        [this](const std::string& AText) { ProcessInputText(AText); });
    // A front end that closes our input has gone: end as on quit.
    FConsoleReader->SetOnEndOfInput([this] { Terminate(); });
    FCommands = std::make_unique<TDefaultCommands>(
        LogFileName(), MainIniFile() != nullptr ? MainIniFile()->FileName() : std::string(),
        LocalIniFile() != nullptr ? LocalIniFile()->FileName() : std::string());
}

void TCommandConsoleApplication::RunFinalizationSequence() {
    // The program is ending anyway; a late signal must not cut the finalization short.
    SetTerminationHandler(nullptr);
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
    return FConsoleReader->WaitFor();
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
    for (const auto& line : SplitLines(AText)) {
        if (Terminated())
            break;
        ProcessLine(ReadableText(line));
    }
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
