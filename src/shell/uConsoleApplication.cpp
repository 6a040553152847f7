#include "shell/uConsoleApplication.h"

#include "platform/uPlatformSignals.h"
#include "shell/uConsoleOutputInfo.h"
#include "shell/uCustomConsole.h"
#include "support/uCustomArgument.h"
#include "support/uOutputInfo.h"

#include <iostream>

namespace {

const char* SignalText(TTerminationSignal ASignal) {
    switch (ASignal) {
    case tsInterrupt:
        return "Received Ctrl+C signal.";
    case tsQuit:
        return "Received Ctrl+Break signal.";
    case tsHangup:
        return "Received close event.";
    case tsTerminate:
        return "Received shutdown event.";
    }
    return "Received unknown close event.";
}

} // namespace

TConsoleApplication::TConsoleApplication() = default;

TConsoleApplication::~TConsoleApplication() {
    if (FSignalsInstalled)
        RemoveTerminationSignals();
    SetCommonOutput(nullptr);
}

void TConsoleApplication::Initialize() {
    // The handler comes first, so that a signal during start-up still ends the program in order.
    InstallTerminationSignals([this](TTerminationSignal ASignal) {
        WriteWarning(SignalText(ASignal));
        AbortBySystem();
    });
    FSignalsInstalled = true;
    TUIApplication::Initialize();
}

void TConsoleApplication::RunInitializationSequence() {
    SetCommonOutput(std::make_shared<TConsoleOutputInfo>(Console()));
    FConsoleSplashScreen = std::make_unique<TConsoleSplashScreen>(Console());
    SetSplashScreen(FConsoleSplashScreen.get());
    TUIApplication::RunInitializationSequence();
    // "-minimized" is accepted for compatibility; a terminal has no window to minimise.
    (void)MinimizedArgument().Exists();
}

void TConsoleApplication::Run() {
    TUIApplication::Run();
    SetSplashScreen(nullptr);
    FConsoleSplashScreen.reset();
}

void TConsoleApplication::AbortBySystem() {
    FAbortedBySystem.store(true);
    Terminate();
}

void TConsoleApplication::WaitBeforeClose() {
    if (!TStartState::RunFromIDE() || AbortedBySystem())
        return;
    Console().WriteLine("");
    Console().WriteLine("Press Enter to continue...");
    Console().Flush();
    std::string line;
    std::getline(std::cin, line);
}
