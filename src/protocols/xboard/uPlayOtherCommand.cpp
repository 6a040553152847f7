#include "protocols/xboard/uPlayOtherCommand.h"

TPlayOtherCommand::TPlayOtherCommand() : TXBoardProtocolCommand("TPlayOtherCommand") {
    SetDescription("Leave force mode and set the engine to play the color that is not on move. "
                   "Associate the opponent's clock with the color that is on move, the engine's "
                   "clock with the color that is not on move. Start the opponent's clock. If "
                   "pondering is enabled, the engine should begin pondering. If the engine later "
                   "receives a move, it should start thinking and eventually reply.");
}

void TPlayOtherCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    Protocol().SetAutoPlay(true);
}
