#pragma once

#include "shell/uCustomCommand.h"

#include <string_view>

class TEngineOutput;
class TInternalEngine;

// Commands that act on the engine receive it when they are registered. A command that needs the
// engine and has none fails with "No engine.", in every protocol alike: the console reports that
// as the command's error line, where silence would leave a front end waiting for an answer.
TInternalEngine& RequireEngine(TInternalEngine* AEngine);
// The engine's output, for commands that answer; an engine without one fails as above.
TEngineOutput& RequireEngineOutput(TInternalEngine* AEngine);

// What the application and the protocols hand the engine to when they register a command.
class IEngineAware {
public:
    virtual ~IEngineAware() = default;
    virtual void SetInternalEngine(TInternalEngine* AEngine) = 0;
};

// A command with parameters that acts on the engine (not owned).
class TEngineCommand : public TCustomCommand, public IEngineAware {
public:
    using TCustomCommand::TCustomCommand;
    void SetInternalEngine(TInternalEngine* AEngine) override { FInternalEngine = AEngine; }
    TInternalEngine* InternalEngine() const { return FInternalEngine; }

protected:
    TInternalEngine& Engine() const { return RequireEngine(FInternalEngine); }
    TEngineOutput&   EngineOutput() const { return RequireEngineOutput(FInternalEngine); }

    TInternalEngine* FInternalEngine = nullptr; // not owned
};

// A command without parameters that acts on the engine (not owned).
class TSimpleEngineCommand : public TSimpleCommand, public IEngineAware {
public:
    using TSimpleCommand::TSimpleCommand;
    void SetInternalEngine(TInternalEngine* AEngine) override { FInternalEngine = AEngine; }
    TInternalEngine* InternalEngine() const { return FInternalEngine; }

protected:
    TInternalEngine& Engine() const { return RequireEngine(FInternalEngine); }
    TEngineOutput&   EngineOutput() const { return RequireEngineOutput(FInternalEngine); }

    TInternalEngine* FInternalEngine = nullptr; // not owned
};
