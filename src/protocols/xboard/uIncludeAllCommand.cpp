#include "protocols/xboard/uIncludeAllCommand.h"

#include "engine/uRootMoves.h"

TIncludeAllCommand::TIncludeAllCommand() : TXBoardProtocolCommand("TIncludeAllCommand") {
    SetDescription("All moves are possible, default state. After this command call \"Exclude\" "
                   "commands.");
}

void TIncludeAllCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    ChangeRootMoves([](TRootMoves& ARootMoves) { ARootMoves.IncludeAll(); });
}
