#include "protocols/xboard/uForceCommand.h"

TForceCommand::TForceCommand() : TXBoardProtocolCommand("TForceCommand") {
    SetDescription("Set the engine to play neither color (\"force mode\"). Stop clocks. The "
                   "engine should check that moves received in force mode are legal and made in "
                   "the proper turn, but should not think, ponder, or make moves of its own.");
}

void TForceCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    Protocol().SetAutoPlay(false);
}
