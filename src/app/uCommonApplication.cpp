#include "app/uCommonApplication.h"

#include "app/uApplicationModule.h"
#include "app/uApplicationStatistics.h"
#include "app/uConsoleOutputInfo.h"
#include "app/uCustomConsole.h"
#include "platform/uPlatformSystem.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uLogger.h"
#include "support/uOutputInfo.h"

namespace {
std::atomic<int> GExitCode{1};
std::atomic<TCommonApplication*> GApplication{nullptr};

// The main log until the log file is in place: it accepts no level.
class TSilentLogger final : public TLogger {
public:
    TSilentLogger() { SetLoggingLevel(mlNone); }
    void Add(std::string_view, TMessageLevel) override {}
};
} // namespace

int ExitCode() { return GExitCode.load(); }
void SetExitCode(int ACode) { GExitCode.store(ACode); }
TCommonApplication* Application() { return GApplication.load(); }

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
    if (FMainLog) {
        FMainLog->Log(mlInformation, "Finished");
        SetMainLog(nullptr);
        FMainLog.reset();
    }
}

void TCommonApplication::CreateMainLog() {
    FMainLog = std::make_unique<TSilentLogger>();
    SetMainLog(FMainLog.get());
}

void TCommonApplication::CreateMainIniFile() {}
void TCommonApplication::CreateLocalIniFile() {}

void TCommonApplication::CreateStatistics() {
    FStatistics = std::make_unique<TApplicationStatistics>();
}

void TCommonApplication::CreateDictionary() { FDictionary = std::make_unique<TDictionary>(); }

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
        SetExitCode(0);
        if (FArguments)
            FArguments->WriteUnused();
    } catch (const std::exception& e) {
        ReportFatalError(e);
    }
}

void TCommonApplication::Terminate() { FTerminated.store(true, std::memory_order_release); }

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
