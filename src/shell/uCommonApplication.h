#pragma once

#include "support/uMainTimer.h"

#include <atomic>
#include <exception>
#include <memory>
#include <string>

class TArguments;
class TDefaultArguments;
class TSwitchArgument;
class TApplicationModuleManager;
class TApplicationStatistics;
class TCustomSplashScreen;
class TKvIniFile;
class TLogger;

// The process exit code: 1 from the start of construction until a run completes.
int  ExitCode();
void SetExitCode(int ACode);

// Nothing in the program reads the translation dictionary; it exists as a service.
class TDictionary final {};

// Base of all applications: builds the process-wide services in a fixed order and releases them
// in reverse. Construction is two-phase because the sequence calls virtual hooks: construct,
// then Initialize(); before destruction, Finalize().
class TCommonApplication {
public:
    TCommonApplication();
    virtual ~TCommonApplication();
    TCommonApplication(const TCommonApplication&) = delete;
    TCommonApplication& operator=(const TCommonApplication&) = delete;

    // Runs the initialization sequence; a failure is reported as a fatal error and leaves
    // Initialized() false.
    virtual void Initialize();
    // Runs the finalization sequence once (also called by the destructor of the most derived
    // class), then restarts the program when asked to.
    void         Finalize();
    virtual void Run();
    virtual void Terminate();
    // Parses the command line again and executes with no exception handling.
    void RunWithException();

    TArguments&                Arguments();
    TApplicationModuleManager* ModuleManager() const { return FModuleManager.get(); }
    bool                       RestartAfterClose() const { return FRestartAfterClose; }
    void                       SetRestartAfterClose(bool AValue) { FRestartAfterClose = AValue; }
    TCustomSplashScreen*       SplashScreen() const { return FSplashScreen; }
    bool                       Initialized() const { return FInitialized; }
    bool Terminated() const { return FTerminated.load(std::memory_order_acquire); }
    TApplicationStatistics* Statistics() const { return FStatistics.get(); }
    TTimeSpan InitializationSequenceTime() const { return FInitializationSequenceTime; }
    // The configuration files and the log; null (or empty) when they could not be set up.
    TKvIniFile* MainIniFile() const { return FMainIniFile.get(); }
    TKvIniFile* LocalIniFile() const { return FLocalIniFile.get(); }
    std::string LogFileName() const;

    // "<base>/Mirelbo/KvVexdra": the folder of this program's files under a user folder.
    static std::string ApplicationFolder(const std::string& ABaseFolder);

    // Fatal-error report: the message chain, one per line, to the log and the common output.
    static void ReportFatalError(const std::exception& AException);

protected:
    virtual void CreateMainLog();
    virtual void CreateMainIniFile();
    virtual void CreateLocalIniFile();
    virtual void CreateStatistics();
    virtual void CreateDictionary();
    virtual void CreateArguments();
    virtual void CreateModuleManager();
    virtual void AddArguments();
    virtual void AddModules();
    virtual void RunInitializationSequence();
    virtual void RunFinalizationSequence();
    virtual int  Execute() = 0;

    void SetSplashScreen(TCustomSplashScreen* ASplashScreen) { FSplashScreen = ASplashScreen; }
    // For a new session in the same process (see TConsoleEngine::EndSession).
    void ClearTerminated() { FTerminated.store(false, std::memory_order_release); }

private:
    void Restart();
    // The ini file of the program in the folder under ABaseFolder, or null (a warning said why).
    std::unique_ptr<TKvIniFile> CreateIniFile(const std::string& ABaseFolder);
    // A read-only home must not stop the engine: the files stay off and this says so once.
    void WarnStorage(const std::string& AText);

    std::unique_ptr<TDefaultArguments>         FArguments;
    std::unique_ptr<TApplicationModuleManager> FModuleManager;
    bool                                       FRestartAfterClose = false;
    TCustomSplashScreen*                    FSplashScreen = nullptr; // owned by the console level
    bool                                    FInitialized = false;
    std::atomic<bool>                       FTerminated{false};
    std::unique_ptr<TApplicationStatistics> FStatistics;
    std::unique_ptr<TDictionary>            FDictionary;
    std::unique_ptr<TLogger>                FMainLog;
    std::unique_ptr<TKvIniFile>             FMainIniFile;
    std::unique_ptr<TKvIniFile>             FLocalIniFile;
    bool                                    FStorageWarningShown = false;
    TTimeSpan                               FInitializationSequenceTime;
    bool                                    FFinalized = false;
};

// Adds the "minimized" switch (accepted; a console has no window to minimise).
class TUIApplication : public TCommonApplication {
public:
    TUIApplication();
    ~TUIApplication() override;
    TSwitchArgument& MinimizedArgument() { return *FMinimizedArgument; }

protected:
    void AddArguments() override;
    void RunFinalizationSequence() override;

private:
    std::unique_ptr<TSwitchArgument> FMinimizedArgument;
};

// The current application object, or null.
TCommonApplication* Application();
