#include "protocols/xboard/uHardCommand.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uInternalEngine.h"
#include "support/uCustomArgument.h"

THardCommand::THardCommand() : TSimpleEngineCommand("THardCommand") {
    SetDescription("Turn on pondering (thinking on the opponent's time, also known as "
                   "\"permanent brain\").");
}

void THardCommand::ExecuteNoParam() {
    Engine().CommonOptions().Ponder().SetValue(true);
}
