#include "protocols/uIsReadyCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"

TIsReadyCommand::TIsReadyCommand() : TSimpleEngineCommand("TIsReadyCommand") {
    SetDescription("Used to wait for the engine to be ready again or to ping the engine to find "
                   "out if it is still alive.");
    SetActsAtOnce(true);
}

void TIsReadyCommand::ExecuteNoParam() {
    TEngineOutput& output = EngineOutput();
    TWriteBlock    block(output);
    output.WriteLine("readyok", ccKeyword);
}
