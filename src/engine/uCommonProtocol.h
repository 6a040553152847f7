#pragma once

#include "engine/uEngineCommand.h"

#include <memory>
#include <string>
#include <vector>

class TInternalEngine;

// Base of the front-end protocols. A protocol creates its commands when it is initialized; the
// console's registry takes them over (TakeCommands) and owns them from then on.
class TCommonProtocol {
public:
    TCommonProtocol();
    virtual ~TCommonProtocol();
    TCommonProtocol(const TCommonProtocol&) = delete;
    TCommonProtocol& operator=(const TCommonProtocol&) = delete;

    virtual void SetAnalyzeMode(bool AValue) { FAnalyzeMode = AValue; }
    bool         AnalyzeMode() const { return FAnalyzeMode; }
    // Builds the command list; derived protocols call it first, then add their commands.
    virtual void Initialize();

    // Gives an engine command the protocol's engine, then appends it.
    TCustomCommand&       AddCommand(std::unique_ptr<TCustomCommand> ACommand);
    template <class T> T& Add(std::unique_ptr<T> ACommand) {
        T& result = *ACommand;
        AddCommand(std::move(ACommand));
        return result;
    }
    void             SetInternalEngine(TInternalEngine* AValue) { FInternalEngine = AValue; }
    TInternalEngine* InternalEngine() const { return FInternalEngine; }
    // The protocol's commands in order (not owned once taken over).
    const std::vector<TCustomCommand*>& Commands() const { return FCommands; }
    // Hands the ownership of the commands created so far to the caller (the registry).
    std::vector<std::unique_ptr<TCustomCommand>> TakeCommands();

protected:
    TInternalEngine* FInternalEngine = nullptr; // not owned

private:
    std::vector<TCustomCommand*>                 FCommands;
    std::vector<std::unique_ptr<TCustomCommand>> FOwned;
    bool                                         FAnalyzeMode = false;
};

// "Used when the next search will be from a different game.": starts a new game. UCI
// names it "UciNewGame", USI "usinewgame".
class TNewGameCommand final : public TSimpleEngineCommand {
public:
    TNewGameCommand();

protected:
    void ExecuteNoParam() override;
};
