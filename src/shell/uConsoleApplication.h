#pragma once

#include "shell/uCommonApplication.h"

#include <memory>

class TConsoleSplashScreen;

// A console program: installs the console as common output and the splash screen, and turns
// termination signals into an orderly end.
class TConsoleApplication : public TUIApplication {
public:
    TConsoleApplication();
    ~TConsoleApplication() override;

    void Initialize() override;
    void Run() override;
    // The system asked us to close (a signal): remember it and terminate.
    void AbortBySystem();
    bool AbortedBySystem() const { return FAbortedBySystem.load(); }

protected:
    void RunInitializationSequence() override;
    // Pause before a console window would close; a command console never needs it.
    virtual void WaitBeforeClose();

private:
    std::atomic<bool>                     FAbortedBySystem{false};
    std::unique_ptr<TConsoleSplashScreen> FConsoleSplashScreen;
    bool                                  FSignalsInstalled = false;
};
