#include "protocols/xboard/uExcludeCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "support/uTextHelpers.h"

TExcludeCommand::TExcludeCommand() : TXBoardProtocolCommand("TExcludeCommand") {
    SetDescription("Exclude \"Move\" for search.");
}

void TExcludeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::string move = XBoardToEngineMove(Engine(), Trim(AParameters));
    ChangeRootMoves([&](TRootMoves& ARootMoves) {
        if (SameText(move, "all"))
            ARootMoves.ExcludeAll();
        else
            ARootMoves.Exclude(move);
    });
}
