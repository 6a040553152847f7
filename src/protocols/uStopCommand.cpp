#include "protocols/uStopCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"

TStopCommand::TStopCommand(std::string_view AClassName) : TSimpleEngineCommand(AClassName) {
    SetDescription("Stop calculating as soon as possible.");
    SetActsAtOnce(true);
}

void TStopCommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    engine.Stop();
    TEngineOutput* output = engine.Output();
    if (output != nullptr && (output->Protocol() == epUCI || output->Protocol() == epUSI)) {
        // The best move of a search that is still ending must come before the release, so
        // that the front end gets exactly one bestmove for its go.
        engine.WaitForCalculationDone(0);
        output->ReleaseBestMove();
    }
}
