#include "app/uConsoleEngine.h"

#include "engine/uCommonProtocol.h"
#include "engine/uEngineCommand.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "perft/uBenchmarkCommand.h"
#include "perft/uDiagnosticCommands.h"
#include "platform/uPlatformSignals.h"
#include "protocols/uStopCommand.h"
#include "protocols/uci/uUCICommand.h"
#include "protocols/usi/uUSICommand.h"
#include "protocols/xboard/uXBoardCommand.h"
#include "shell/uConsoleOutputSink.h"
#include "shell/uCustomCommand.h"
#include "shell/uCustomConsole.h"
#include "support/uExceptions.h"
#include "support/uOutputInfo.h"
#include "support/uTextHelpers.h"

#include <chrono>
#include <thread>

TConsoleEngine::TConsoleEngine() : FOutputSink(std::make_unique<TConsoleOutputSink>(Console())) {}

TConsoleEngine::~TConsoleEngine() {
    Finalize();
}

void TConsoleEngine::RunInitializationSequence() {
    Console().SetFlushEveryLine(true);
    TCommandConsoleApplication::RunInitializationSequence();
    Console().SetFlushEveryLine(false);
    // The console's own "exit" would hide the exit command of the XBoard protocol; quit remains.
    if (TCustomCommand* exitCommand = Commands().FindByString("Exit"))
        Commands().Delete(*exitCommand);
}

void TConsoleEngine::RunFinalizationSequence() {
    FProtocol.reset();
    TCommandConsoleApplication::RunFinalizationSequence();
}

TCustomConsole& TConsoleEngine::OutputConsole() {
    return Console();
}

void TConsoleEngine::SetInternalEngine(TInternalEngine* AEngine) {
    if (FInternalEngine != nullptr) {
        FInternalEngine->SetOnPerftEnd(nullptr);
        FInternalEngine->SetOutputSink(nullptr);
    }
    FInternalEngine = AEngine;
    if (FInternalEngine == nullptr)
        return;
    FInternalEngine->SetOutput(std::make_unique<TNoProtocolEngineOutput>(Console()));
    FInternalEngine->SetOutputSink(FOutputSink.get());
    FInternalEngine->SetOnPerftEnd([this] { BusyEnded(); });
    // Without a finished initialization there is no registry to add to.
    if (!Initialized())
        return;
    // The protocol-selection commands, in the order UCI, USI, XBoard.
    if (FUCICommand == nullptr) {
        auto uci = std::make_unique<TUCICommand>();
        uci->SetProtocolHost(this);
        FUCICommand = &Commands().AddCommand(std::move(uci));
    }
    if (FUSICommand == nullptr) {
        auto usi = std::make_unique<TUSICommand>();
        usi->SetProtocolHost(this);
        FUSICommand = &Commands().AddCommand(std::move(usi));
    }
    if (FXBoardCommand == nullptr) {
        auto xboard = std::make_unique<TXBoardCommand>();
        xboard->SetProtocolHost(this);
        FXBoardCommand = &Commands().AddCommand(std::move(xboard));
    }

    // The engine diagnostics, in every mode.
    AddEngineCommand(std::make_unique<TEngineStateCommand>());
    AddEngineCommand(std::make_unique<TShowBoardCommand>());
    AddEngineCommand(std::make_unique<TEvalCommand>());
    AddEngineCommand(std::make_unique<TBenchmarkCommand>());
    AddEngineCommand(std::make_unique<TPerftCommand>());
    // Lines wait while a perft counts; this is how a console user ends one and goes on.
    AddEngineCommand(std::make_unique<TStopCommand>());
    AddEngineCommand(std::make_unique<TDebugCommand>());
}

void TConsoleEngine::SetProtocol(std::unique_ptr<TCommonProtocol> AProtocol) {
    if (!AProtocol || AProtocol.get() == FProtocol.get())
        return;
    for (TCustomCommand* selection : {FUCICommand, FUSICommand, FXBoardCommand})
        if (selection != nullptr)
            Commands().Disable(*selection);
    FCommandCountBeforeProtocol = Commands().Count();
    FProtocol = std::move(AProtocol);
    FProtocol->SetInternalEngine(FInternalEngine);
    FProtocol->Initialize();
    Commands().Add(FProtocol->TakeCommands());
}

void TConsoleEngine::EndSession() {
    if (FInternalEngine != nullptr) {
        FInternalEngine->Stop();
        FInternalEngine->WaitForCalculationDone(0);
    }
    // A perft of the ending session is stopped above; the next session starts only when it has
    // ended, and without the lines that waited for it.
    while (Busy())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    DiscardWaitingLines();
    if (FProtocol) {
        // The protocol's commands refer to it: they go first.
        while (Commands().Count() > FCommandCountBeforeProtocol)
            Commands().Delete(Commands().Get(Commands().Count() - 1));
        FProtocol.reset();
        for (TCustomCommand* selection : {FUCICommand, FUSICommand, FXBoardCommand})
            if (selection != nullptr)
                selection->SetEnabled(true);
        if (FInternalEngine != nullptr)
            FInternalEngine->SetOutput(std::make_unique<TNoProtocolEngineOutput>(Console()));
    }
    SetInterruptSignalIgnored(false);
    ClearTerminated();
}

void TConsoleEngine::AddEngineCommand(std::unique_ptr<TCustomCommand> ACommand) {
    if (auto* engineAware = dynamic_cast<IEngineAware*>(ACommand.get()))
        engineAware->SetInternalEngine(FInternalEngine);
    Commands().Add(std::move(ACommand));
}

bool TConsoleEngine::Busy() const {
    // A perft ends its report and its running state under the console lock: a line sent after
    // the report's last line never finds the perft still running.
    std::scoped_lock lock(Console().Lock());
    return FInternalEngine != nullptr && FInternalEngine->PerftRunning();
}

void TConsoleEngine::HandleCommandException(TCustomCommand*       ACommand,
                                            const std::exception& AException) {
    if (dynamic_cast<const EAbort*>(&AException) != nullptr)
        return;
    ReportError(ACommand != nullptr ? "Command " + ACommand->Shortcut() + ": " + AException.what()
                                    : std::string(AException.what()));
}

void TConsoleEngine::ReportError(const std::string& AMessage) {
    // Messages quote what was sent, at times a single byte of a character: the report stays one
    // line of text, and a megabyte of garbage is not echoed back whole.
    constexpr std::size_t MaximalLength = 1000;
    std::string           message = ReadableText(AMessage);
    if (Utf8Length(message) > MaximalLength)
        message = std::string(Utf8Prefix(message, MaximalLength)) + "\u2026";
    if (FInternalEngine != nullptr && FInternalEngine->Output() != nullptr)
        FInternalEngine->Output()->TellGUIError(message);
    else
        WriteError(message);
}
