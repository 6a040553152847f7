#include "protocols/xboard/uPostCommand.h"

#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardProtocol.h"

TPostCommand::TPostCommand() : TSimpleEngineCommand("TPostCommand") {
    SetDescription("Turn on thinking/pondering output.");
}

void TPostCommand::ExecuteNoParam() {
    RequireXBoardOutput(FInternalEngine).SetEnabled(true);
}
