#include "protocols/xboard/uExcludeAllCommand.h"

#include "engine/uRootMoves.h"

TExcludeAllCommand::TExcludeAllCommand() : TXBoardProtocolCommand("TExcludeAllCommand") {
    SetDescription("No moves are possible. After this command call \"Include\" commands.");
}

void TExcludeAllCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    ChangeRootMoves([](TRootMoves& ARootMoves) { ARootMoves.ExcludeAll(); });
}
