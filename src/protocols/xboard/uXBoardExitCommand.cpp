#include "protocols/xboard/uXBoardExitCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"

TXBoardExitCommand::TXBoardExitCommand() : TXBoardProtocolCommand("TXBoardExitCommand") {
    SetShortcut("Exit");
    SetDescription("Leave analyze mode.");
}

void TXBoardExitCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    Protocol().SetAnalyzeMode(false);
    engine.Stop();
    engine.LevelManager().SetInfiniteAnalysis(false);
}
