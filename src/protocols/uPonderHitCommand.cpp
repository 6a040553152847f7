#include "protocols/uPonderHitCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"

TPonderHitCommand::TPonderHitCommand() : TSimpleEngineCommand("TPonderHitCommand") {
    SetDescription("Used if the engine was told to ponder on the same move.");
}

void TPonderHitCommand::ExecuteNoParam() {
    if (TEngineOutput* output = Engine().Output())
        output->ReleaseBestMove();
}
