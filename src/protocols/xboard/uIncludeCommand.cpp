#include "protocols/xboard/uIncludeCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "support/uTextHelpers.h"

TIncludeCommand::TIncludeCommand() : TXBoardProtocolCommand("TIncludeCommand") {
    SetDescription("Include \"Move\" for search.");
}

void TIncludeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::string move = XBoardToEngineMove(Engine(), Trim(AParameters));
    ChangeRootMoves([&](TRootMoves& ARootMoves) {
        if (SameText(move, "all"))
            ARootMoves.IncludeAll();
        else
            ARootMoves.Include(move);
    });
}
