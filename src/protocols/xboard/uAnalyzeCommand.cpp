#include "protocols/xboard/uAnalyzeCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"

TAnalyzeCommand::TAnalyzeCommand() : TXBoardProtocolCommand("TAnalyzeCommand") {
    SetDescription("Enter analyze mode.");
}

void TAnalyzeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.SetAutoPlay(false);
    protocol.SetAnalyzeMode(true);
    engine.SetDoMoveAfterStop(false);
    engine.LevelManager().SetInfiniteAnalysis(true);
    engine.Start();
}
