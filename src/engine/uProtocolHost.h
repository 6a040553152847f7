#pragma once

#include "shell/uCustomCommand.h"

#include <memory>

class TCommonProtocol;
class TCustomConsole;
class TInternalEngine;

// Where a protocol becomes current: the application, which owns the active protocol, the
// command registry and the console. A front end chooses one protocol, once; the selection
// commands and the protocols ask the host for it and never see the application itself. Used on
// the console reader thread.
class IProtocolHost {
public:
    virtual ~IProtocolHost() = default;

    // The engine the protocols are set up for; null while the host has none.
    virtual TInternalEngine* InternalEngine() const = 0;
    // The console the protocols' outputs write to.
    virtual TCustomConsole& OutputConsole() = 0;
    // The active protocol; null in console mode.
    virtual TCommonProtocol* Protocol() const = 0;
    // Makes AProtocol the current protocol for good: the selection commands are disabled, the
    // protocol gets the engine, builds its commands and hands them to the registry. Nothing
    // happens when AProtocol is null or already current.
    virtual void SetProtocol(std::unique_ptr<TCommonProtocol> AProtocol) = 0;
};

// A command that chooses a protocol through the host (not owned).
class TProtocolCommand : public TSimpleCommand {
public:
    using TSimpleCommand::TSimpleCommand;
    void           SetProtocolHost(IProtocolHost* AHost) { FProtocolHost = AHost; }
    IProtocolHost* ProtocolHost() const { return FProtocolHost; }

protected:
    // The host; "No engine." without one, like the engine commands without an engine.
    IProtocolHost& Host() const;
    // The host's engine, which the protocol is set up for.
    TInternalEngine& Engine() const;

private:
    IProtocolHost* FProtocolHost = nullptr; // not owned
};
