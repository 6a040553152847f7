#include "protocols/xboard/uDotCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"

TDotCommand::TDotCommand() : TSimpleEngineCommand("TDotCommand") {
    SetShortcut(".");
    SetDescription("Get a search status update.");
}

void TDotCommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    TEngineOutput&   output = EngineOutput();
    output.DrawNodes();
    if (engine.ShowCurrLine())
        output.DrawCurrLine(engine.GetCurrentLine());
}
