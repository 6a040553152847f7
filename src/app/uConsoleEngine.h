#pragma once

#include "engine/uProtocolHost.h"
#include "shell/uCommandConsoleApplication.h"

#include <memory>
#include <string>

class TCommonProtocol;
class TConsoleOutputSink;
class TInternalEngine;
class TCustomCommand;

// The application of this program, where everything is wired together: the command console
// with an engine (not owned) and, once a front end has chosen one, a protocol (owned). It hands
// the engine its console output and its output sink, registers the protocol-selection and the
// engine commands, and is the host the selection commands make a protocol current through.
// Protocol state: none (console mode) or exactly one protocol; there is no way back.
class TConsoleEngine final : public TCommandConsoleApplication, public IProtocolHost {
public:
    TConsoleEngine();
    ~TConsoleEngine() override;

    TInternalEngine* InternalEngine() const override { return FInternalEngine; }
    TCustomConsole&  OutputConsole() override;
    TCommonProtocol* Protocol() const override { return FProtocol.get(); }
    // Gives the engine a console output and the console's output sink, and registers the
    // protocol-selection and engine commands.
    void SetInternalEngine(TInternalEngine* AEngine);
    // Selects a protocol once: disables the three selection commands, initializes the protocol
    // and appends its commands to the registry.
    void SetProtocol(std::unique_ptr<TCommonProtocol> AProtocol) override;
    void AddEngineCommand(std::unique_ptr<TCustomCommand> ACommand);
    // Ends what the input so far has started, as a new front end would find the program: a
    // running search stopped, the protocol and its commands gone, the selection commands
    // enabled, the engine's console output back, and the application no longer terminated. The
    // engine's own game and options are its owner's to reset. For a harness that feeds
    // ProcessInputText itself, between inputs, with no reader thread running.
    void EndSession();

protected:
    void RunInitializationSequence() override;
    void RunFinalizationSequence() override;
    void HandleCommandException(TCustomCommand*       ACommand,
                                const std::exception& AException) override;
    // A perft counts.
    bool Busy() const override;

private:
    // Through the engine output when there is one (each protocol has its own error form), else
    // as an error message.
    void ReportError(const std::string& AMessage);

    TInternalEngine*                    FInternalEngine = nullptr; // not owned
    std::unique_ptr<TCommonProtocol>    FProtocol;
    std::unique_ptr<TConsoleOutputSink> FOutputSink;
    TCustomCommand*                     FUCICommand = nullptr;    // owned by the registry
    TCustomCommand*                     FUSICommand = nullptr;    // owned by the registry
    TCustomCommand*                     FXBoardCommand = nullptr; // owned by the registry
    // The commands before the protocol's; those after it are the protocol's.
    int FCommandCountBeforeProtocol = 0;
};
