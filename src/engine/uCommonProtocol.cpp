#include "engine/uCommonProtocol.h"

#include "engine/uInternalEngine.h"

TCommonProtocol::TCommonProtocol() = default;
TCommonProtocol::~TCommonProtocol() = default;

void TCommonProtocol::Initialize() {
    FCommands.clear();
    FOwned.clear();
}

TCustomCommand& TCommonProtocol::AddCommand(std::unique_ptr<TCustomCommand> ACommand) {
    if (auto* engineAware = dynamic_cast<IEngineAware*>(ACommand.get()))
        engineAware->SetInternalEngine(FInternalEngine);
    FCommands.push_back(ACommand.get());
    FOwned.push_back(std::move(ACommand));
    return *FCommands.back();
}

std::vector<std::unique_ptr<TCustomCommand>> TCommonProtocol::TakeCommands() {
    return std::move(FOwned);
}

TNewGameCommand::TNewGameCommand() : TSimpleEngineCommand("TNewGameCommand") {
    SetDescription("Used when the next search will be from a different game.");
}

void TNewGameCommand::ExecuteNoParam() {
    // A new game, not only its start position: variants with random setups draw a new one here
    // and keep it for every "start position" of the game.
    Engine().NewGame();
}
