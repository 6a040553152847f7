#include "protocols/xboard/uRemoveCommand.h"

#include "engine/uInternalEngine.h"

TRemoveCommand::TRemoveCommand() : TXBoardProtocolCommand("TRemoveCommand") {
    SetDescription("Retract a move. It sends this command only when the user is on move.");
}

void TRemoveCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TXBoardProtocol& protocol = Protocol();
    TInternalEngine& engine = Engine();
    protocol.BeforePositionChange();
    engine.Undo();
    engine.Undo();
    protocol.AfterPositionChange();
}
