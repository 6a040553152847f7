#include "protocols/xboard/uXBoardGoCommand.h"

#include "engine/uInternalEngine.h"

TXBoardGoCommand::TXBoardGoCommand() : TXBoardProtocolCommand("TXBoardGoCommand") {
    SetShortcut("Go");
    SetDescription("Leave force mode and set the engine to play the color that is on move. "
                   "Associate the engine's clock with the color that is on move, the opponent's "
                   "clock with the color that is not on move. Start the engine's clock. Start "
                   "thinking and eventually make a move.");
}

void TXBoardGoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.SetAutoPlay(true);
    engine.SetDoMoveAfterStop(true);
    engine.Start();
    protocol.ClaimGameEnd();
}
