#include "protocols/xboard/uResumeCommand.h"

#include "engine/uInternalEngine.h"

TResumeCommand::TResumeCommand() : TSimpleEngineCommand("TResumeCommand") {
    SetDescription("Wake up engine from pause mode.");
}

void TResumeCommand::ExecuteNoParam() {
    Engine().Resume();
}
