#include "protocols/xboard/uUndoCommand.h"

#include "engine/uInternalEngine.h"

TUndoCommand::TUndoCommand() : TXBoardProtocolCommand("TUndoCommand") {
    SetDescription("Back up one move and only in analyze mode start analyzing.");
}

void TUndoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    Engine().Undo();
    protocol.AfterPositionChange();
}
