#include "shell/uDefaultCommands.h"

#include "platform/uFileStatistics.h"
#include "platform/uPlatformSystem.h"
#include "shell/uApplicationStatistics.h"
#include "shell/uCommonApplication.h"
#include "shell/uCustomConsole.h"
#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uMainTimer.h"
#include "support/uOutputInfo.h"
#include "support/uProjectInfo.h"
#include "support/uSystemMemory.h"
#include "support/uTextHelpers.h"

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>

namespace {

// How much of the log a console shows: the latest events, not the whole history.
constexpr std::size_t ShownLogLines = 40;

} // namespace

THelpCommand::THelpCommand(TCommands& ACommands)
    : TCustomCommand("THelpCommand"), FCommands(ACommands) {
    SetDescription("Displays name, parameters and description of all commands or the specific "
                   "command. Grayed commands are disabled.");
    WriteInformation("Enter 'help' for list of all commands.");
}

void THelpCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (AParameters.empty()) {
        FCommands.WriteToCommonOutput();
        return;
    }
    TCustomCommand* command = FCommands.FindByString(AParameters);
    if (command == nullptr)
        throw EParseError({"Valid command"}, AParameters);
    SetResponse("");
    TCustomConsole&     console = Console();
    std::scoped_lock    lock(console.Lock());
    const TConsoleColor defaultForeground = console.Theme().DefaultForegroundColor();
    const std::string   syntax = command->Syntax();
    if (!syntax.empty()) {
        console.Write("Name and parameters: ",
                      console.Theme().GetColorForMessageLevel(mlInformation));
        console.Write(command->GetShortcutAndSyntax() + "\n", defaultForeground);
    }
    if (!command->Description().empty())
        console.Write(command->Description() + "\n", defaultForeground);
    if (dynamic_cast<TUnsupportedCommand*>(command) != nullptr)
        console.Write("Command is not supported.\n", ccGray);
    if (!command->Enabled())
        console.Write("Command is currently disabled.\n", ccGray);
}

TExitCommand::TExitCommand(std::string_view AClassName) : TSimpleCommand(AClassName) {
    SetDescription("Terminate application.");
}

void TExitCommand::ExecuteNoParam() {
    if (TCommonApplication* application = Application())
        application->Terminate();
}

TRestartCommand::TRestartCommand() : TExitCommand("TRestartCommand") {
    SetDescription("Restart application.");
}

void TRestartCommand::ExecuteNoParam() {
    if (TCommonApplication* application = Application())
        application->SetRestartAfterClose(true);
    TExitCommand::ExecuteNoParam();
}

TAboutCommand::TAboutCommand() : TSimpleCommand("TAboutCommand") {
    SetDescription("Display about information.");
}

std::string TAboutCommand::AboutText() {
    std::string text;
    for (std::size_t i = 0; i < ProjectInfoKeyNames.size(); ++i) {
        const std::string value = ProjectInfo(static_cast<TProjectInfoName>(i));
        if (!value.empty())
            text += IdentifierToWords(ProjectInfoKeyNames[i]) + "=" + value + "\n";
    }
    return text;
}

void TAboutCommand::ExecuteNoParam() {
    SetResponse(AboutText());
}

TStateCommand::TStateCommand() : TSimpleCommand("TStateCommand") {
    SetDescription("Display application state.");
}

void TStateCommand::ExecuteNoParam() {
    using F = TCommonOutputFormat;
    const TCommonApplication*     application = Application();
    const TApplicationStatistics* statistics =
        application != nullptr ? application->Statistics() : nullptr;
    const std::uint64_t runCount = statistics != nullptr ? statistics->RunCount() : 0;
    const std::int64_t  nowMs =
        statistics != nullptr ? statistics->ElapsedTime().ToMilliseconds()
                               : MainTimer().IntervalFrom(MainTimer().StartValue()).ToMilliseconds();
    const std::int64_t totalMs =
        statistics != nullptr ? statistics->TotalElapsedTime().ToMilliseconds() : 0;
    const TFileStatistics& files = FileStatistics();
    std::string            text;
    text += "Run Count=" + std::to_string(runCount) + "\n";
    text += "Now Run Time=" + F::MsToStr(nowMs, diDHMSD, 3) + "\n";
    text += "Total Run Time=" + F::MsToStr(totalMs, diDHMSD, 3) + "\n";
    text += "I/O Read Count=" + std::to_string(files.ReadCount.load()) + "\n";
    text += "I/O Read Bytes=" + F::BToStr(static_cast<std::int64_t>(files.ReadBytes.load())) + "\n";
    text += "I/O Write Count=" + std::to_string(files.WriteCount.load()) + "\n";
    text +=
        "I/O Write Bytes=" + F::BToStr(static_cast<std::int64_t>(files.WriteBytes.load())) + "\n";
    text += "Process memory=" +
            F::BToStr(static_cast<std::int64_t>(SystemMemory().ProcessAllocatedVirtualMemory()));
    SetResponse(text);
}

TSystemInfoCommand::TSystemInfoCommand() : TSimpleCommand("TSystemInfoCommand") {
    SetDescription("Display system informations.");
}

void TSystemInfoCommand::ExecuteNoParam() {
    using F = TCommonOutputFormat;
    auto bytes = [](std::uint64_t AValue) { return F::BToStr(static_cast<std::int64_t>(AValue)); };
    TCustomSystemMemory& memory = SystemMemory();
    memory.Update();
    const double usage = ProcessorUsage();
    std::string  text;
    text += "Computer Name=" + ComputerName() + "\n";
    text += "OS Id=" + OperatingSystemId() + "\n";
    text +=
        "OS Uptime=" + F::MsToStr(static_cast<std::int64_t>(SystemUptimeMs()), diDHMSD, 3) + "\n";
    text += "CPU Id=" + ProcessorName() + "\n";
    text += "CPU Threads=" + std::to_string(LogicalProcessorCount()) + "\n";
    text +=
        "CPU Usage=" + F::NToS(static_cast<std::int64_t>(std::llround(usage * 10000)), 2) + "%\n";
    text += "CPU Frequency=" + std::to_string(ProcessorFrequencyHz()) + " Hz\n";
    text += "Event Timer Frequency=" + std::to_string(MainTimer().Frequency()) + " Hz\n";
    text += "Physical Memory Used=" + bytes(memory.Physical().Used) + "\n";
    text += "Physical Memory Free=" + bytes(memory.Physical().Free()) + "\n";
    text += "Physical Memory Total=" + bytes(memory.Physical().Total) + "\n";
    text += "Commit Charge Used=" + bytes(memory.Virtual().Used) + "\n";
    text += "Commit Charge Free=" + bytes(memory.Virtual().Free()) + "\n";
    text += "Commit Charge Total=" + bytes(memory.Virtual().Total);
    SetResponse(text);
}

TShowFileCommand::TShowFileCommand(std::string_view AShortcut, std::string_view ADescription,
                                   std::string AFileName, std::size_t ALastLines)
    : TSimpleCommand("TShowFileCommand"), FFileName(std::move(AFileName)), FLastLines(ALastLines) {
    SetShortcut(AShortcut);
    SetDescription(ADescription);
}

void TShowFileCommand::ExecuteNoParam() {
    SetResponse("");
    const std::string problem = OpenWithDefaultApplication(FFileName);
    if (problem.empty())
        return;
    std::ifstream file(FFileName, std::ios::binary);
    if (!file)
        throw EFileNotFoundException("File \"" + FFileName + "\" not found.");
    // Only the kept lines are held, however long the log has grown.
    std::deque<std::string> lines;
    std::size_t             bytes = 0;
    for (std::string line; std::getline(file, line);) {
        bytes += line.size() + 1;
        // The log starts with a byte-order mark for editors; a console shows it as a stray glyph.
        if (bytes == line.size() + 1 && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(ReadableText(line));
        if (FLastLines != 0 && lines.size() > FLastLines)
            lines.pop_front();
    }
    FileStatistics().CountRead(bytes);
    std::string text =
        problem + (FLastLines != 0 ? " Its last " + std::to_string(FLastLines) + " lines:"
                                   : std::string(" Its content:"));
    for (const auto& line : lines)
        text += "\n" + line;
    SetResponse(text);
}

TDefaultCommands::TDefaultCommands(const std::string& ALogFileName,
                                   const std::string& AMainIniFileName,
                                   const std::string& ALocalIniFileName) {
    AddCommand(std::make_unique<THelpCommand>(*this));
    AddCommand(std::make_unique<TExitCommand>());
    AddCommand(std::make_unique<TQuitCommand>());
    AddCommand(std::make_unique<TRestartCommand>());
    AddCommand(std::make_unique<TAboutCommand>());
    AddCommand(std::make_unique<TStateCommand>());
    AddCommand(std::make_unique<TSystemInfoCommand>());
    auto exists = [](const std::string& AName) {
        std::error_code error;
        return !AName.empty() && std::filesystem::exists(AName, error);
    };
    if (exists(ALogFileName))
        AddCommand(std::make_unique<TShowFileCommand>("ShowLog", "Show log file.", ALogFileName,
                                                      ShownLogLines));
    if (exists(AMainIniFileName))
        AddCommand(std::make_unique<TShowFileCommand>("ShowIni", "Show main configuration file.",
                                                      AMainIniFileName));
    if (exists(ALocalIniFileName))
        AddCommand(std::make_unique<TShowFileCommand>(
            "ShowLocalIni", "Show local configuration file.", ALocalIniFileName));
}
