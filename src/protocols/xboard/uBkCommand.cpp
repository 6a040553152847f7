#include "protocols/xboard/uBkCommand.h"

#include "engine/uInternalEngine.h"

TBkCommand::TBkCommand() : TSimpleEngineCommand("TBkCommand") {
    SetDescription("Show book moves from this position, if any.");
}

void TBkCommand::ExecuteNoParam() {
    Engine().BookMoves();
}
