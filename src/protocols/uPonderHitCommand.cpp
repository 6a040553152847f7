#include "protocols/uPonderHitCommand.h"

#include "engine/uInternalEngine.h"
#include "protocols/uUCIEngineOutput.h"

TPonderHitCommand::TPonderHitCommand() : TSimpleEngineCommand("TPonderHitCommand") {
    SetDescription("Used if the engine was told to ponder on the same move.");
}

void TPonderHitCommand::ExecuteNoParam() {
    if (auto* output = dynamic_cast<TUCIEngineOutput*>(Engine().Output()))
        output->ReleaseBestMove();
}
