#include "protocols/uStopCommand.h"

#include "engine/uInternalEngine.h"
#include "protocols/uUCIEngineOutput.h"

TStopCommand::TStopCommand(std::string_view AClassName) : TSimpleEngineCommand(AClassName) {
    SetDescription("Stop calculating as soon as possible.");
    SetActsAtOnce(true);
}

void TStopCommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    engine.Stop();
    if (auto* output = dynamic_cast<TUCIEngineOutput*>(engine.Output())) {
        // The best move of a search that is still ending must come before the release, so
        // that the front end gets exactly one bestmove for its go.
        engine.WaitForCalculationDone(0);
        output->ReleaseBestMove();
    }
}
