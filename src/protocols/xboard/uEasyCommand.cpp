#include "protocols/xboard/uEasyCommand.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uInternalEngine.h"
#include "support/uCustomArgument.h"

TEasyCommand::TEasyCommand() : TSimpleEngineCommand("TEasyCommand") {
    SetDescription("Turn off pondering (thinking on the opponent's time, also known as "
                   "\"permanent brain\").");
}

void TEasyCommand::ExecuteNoParam() {
    Engine().CommonOptions().Ponder().SetValue(false);
}
