#include "shell/uCommonApplication.h"

#include "platform/uPlatformConsole.h"
#include "platform/uPlatformFiles.h"
#include "platform/uPlatformSystem.h"
#include "shell/uApplicationModule.h"
#include "shell/uApplicationStatistics.h"
#include "shell/uConsoleOutputInfo.h"
#include "shell/uCustomConsole.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uFileLogger.h"
#include "support/uKvIniFile.h"
#include "support/uLogger.h"
#include "support/uOutputInfo.h"
#include "support/uProjectInfo.h"

namespace {
std::atomic<int>                 GExitCode{1};
std::atomic<TCommonApplication*> GApplication{nullptr};

} // namespace

int ExitCode() {
    return GExitCode.load();
}
void SetExitCode(int ACode) {
    GExitCode.store(ACode);
}
TCommonApplication* Application() {
    return GApplication.load();
}

TCommonApplication::TCommonApplication() {
    GApplication.store(this);
    SetExitCode(1);
}

TCommonApplication::~TCommonApplication() {
    Finalize();
    TCommonApplication* self = this;
    GApplication.compare_exchange_strong(self, nullptr);
}

void TCommonApplication::Initialize() {
    try {
        RunInitializationSequence();
        FInitialized = true;
    } catch (const std::exception& e) {
        ReportFatalError(e);
    }
}

void TCommonApplication::Finalize() {
    if (FFinalized)
        return;
    FFinalized = true;
    FInitialized = false;
    try {
        RunFinalizationSequence();
    } catch (const std::exception& e) {
        ReportFatalError(e);
    }
    if (FRestartAfterClose)
        Restart();
}

void TCommonApplication::ReportFatalError(const std::exception& AException) {
    if (dynamic_cast<const EAbort*>(&AException) != nullptr)
        return;
    const std::string text = ExceptionChainText(AException);
    if (TLogger* log = MainLog())
        log->Log(mlFatalError, text);
    if (const auto output = CommonOutput())
        output->AddFatalError(text);
}

void TCommonApplication::RunInitializationSequence() {
    if (FSplashScreen != nullptr) {
        FSplashScreen->Show();
        FSplashScreen->AddMessage("Starting initialization sequence.");
    }
    CreateMainLog();
    CreateMainIniFile();
    CreateLocalIniFile();
    CreateStatistics();
    CreateDictionary();
    CreateArguments();
    CreateModuleManager();
}

void TCommonApplication::RunFinalizationSequence() {
    if (FModuleManager) {
        FModuleManager->UnloadModules();
        FModuleManager.reset();
    }
    FArguments.reset();
    FDictionary.reset();
    FStatistics.reset();
    FLocalIniFile.reset();
    FMainIniFile.reset();
    if (FMainLog) {
        // The log object says "Finished" as it goes; nobody may reach it after that.
        SetMainLog(nullptr);
        FMainLog.reset();
    }
}

std::string TCommonApplication::ApplicationFolder(const std::string& ABaseFolder) {
    return ABaseFolder + "/" + ProjectInfo(piCompanyName) + "/" + ProjectInfo(piInternalName);
}

std::string TCommonApplication::LogFileName() const {
    const auto* log = dynamic_cast<const TFileLogger*>(FMainLog.get());
    return log != nullptr ? log->FileName() : std::string();
}

void TCommonApplication::WarnStorage(const std::string& AText) {
    if (FStorageWarningShown)
        return;
    FStorageWarningShown = true;
    WriteWarning(AText);
}

void TCommonApplication::CreateMainLog() {
    const std::string folder = ApplicationFolder(StateFolder()) + "/Log";
    const std::string name = folder + "/" + ProjectInfo(piInternalName) + ".log";
    if (!CreateFolders(folder)) {
        WarnStorage("Can not create logger file \"" + name + "\"");
        return;
    }
    try {
        FMainLog = std::make_unique<TMainLogDecorator>(name);
        SetMainLog(FMainLog.get());
    } catch (const Exception& e) {
        WarnStorage(e.what());
    }
}

std::unique_ptr<TKvIniFile> TCommonApplication::CreateIniFile(const std::string& ABaseFolder) {
    const std::string folder = ApplicationFolder(ABaseFolder);
    if (!CreateFolders(folder)) {
        WarnStorage("Can not create folder \"" + folder + "\"");
        return nullptr;
    }
    const std::string name = folder + "/" + ProjectInfo(piInternalName) + ".ini";
    // Saving replaces the file, but a link must not be read or locked through either.
    if (IsSymbolicLink(name)) {
        WriteWarning("Configuration file \"" + name + "\" is a symbolic link; it is not used");
        return nullptr;
    }
    return std::make_unique<TKvIniFile>(name);
}

void TCommonApplication::CreateMainIniFile() {
    FMainIniFile = CreateIniFile(ConfigurationFolder());
}

void TCommonApplication::CreateLocalIniFile() {
    FLocalIniFile = CreateIniFile(StateFolder());
}

void TCommonApplication::CreateStatistics() {
    FStatistics = std::make_unique<TApplicationStatistics>(FLocalIniFile.get(), FMainIniFile.get());
}

void TCommonApplication::CreateDictionary() {
    FDictionary = std::make_unique<TDictionary>();
}

void TCommonApplication::CreateArguments() {
    FArguments = std::make_unique<TDefaultArguments>();
    FArguments->SetName("Command-Line Parameters");
    AddArguments();
    FArguments->Parse(TStartState::Arguments());
    const std::string missing = FArguments->ShowRequired();
    if (!missing.empty())
        throw EArgumentException(missing);
    const std::string unmet = FArguments->Check();
    if (!unmet.empty())
        throw EArgumentException(unmet);
}

void TCommonApplication::CreateModuleManager() {
    FModuleManager = std::make_unique<TApplicationModuleManager>();
    AddModules();
    FModuleManager->LoadModules();
}

void TCommonApplication::AddArguments() {}
void TCommonApplication::AddModules() {}

TArguments& TCommonApplication::Arguments() {
    if (!FArguments)
        throw EArgumentException("The command-line parameters are not parsed yet.");
    return *FArguments;
}

void TCommonApplication::Run() {
    if (!FInitialized)
        return;
    try {
        FInitializationSequenceTime = MainTimer().IntervalFrom(MainTimer().StartValue());
        if (FSplashScreen != nullptr)
            FSplashScreen->AddMessage("Initialization sequence done in " +
                                      FInitializationSequenceTime.ToStringInSeconds() +
                                      " seconds.");
        Execute();
        // Output that could not be written is a failed run, whatever the commands did.
        SetExitCode(StreamFailure() != 0 ? 1 : 0);
        if (FArguments)
            FArguments->WriteUnused();
    } catch (const std::exception& e) {
        ReportFatalError(e);
    }
}

void TCommonApplication::Terminate() {
    FTerminated.store(true, std::memory_order_release);
}

void TCommonApplication::RunWithException() {
    Arguments().Parse(TStartState::Arguments());
    Execute();
}

void TCommonApplication::Restart() {
    // Same program, same arguments, same directory. exec keeps our process and its streams, so
    // a terminal or a front end stays connected; only if that fails do we start a detached copy.
    const auto& arguments = TStartState::FullArguments();
    if (arguments.empty())
        return;
    Console().Flush();
    ExecuteSelf(arguments, TStartState::StartDirectory());
    SpawnSelfDetached(arguments, TStartState::StartDirectory());
}

TUIApplication::TUIApplication() = default;
TUIApplication::~TUIApplication() = default;

void TUIApplication::AddArguments() {
    TCommonApplication::AddArguments();
    FMinimizedArgument = std::make_unique<TSwitchArgument>("minimized", "Minimizes application");
    Arguments().Add(*FMinimizedArgument);
}

void TUIApplication::RunFinalizationSequence() {
    FMinimizedArgument.reset();
    TCommonApplication::RunFinalizationSequence();
}
