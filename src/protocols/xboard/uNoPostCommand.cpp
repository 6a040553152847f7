#include "protocols/xboard/uNoPostCommand.h"

#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardProtocol.h"

TNoPostCommand::TNoPostCommand() : TSimpleEngineCommand("TNoPostCommand") {
    SetDescription("Turn off thinking/pondering output.");
}

void TNoPostCommand::ExecuteNoParam() {
    RequireXBoardOutput(FInternalEngine).SetEnabled(false);
}
