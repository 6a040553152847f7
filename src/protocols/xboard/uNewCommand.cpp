#include "protocols/xboard/uNewCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uStopManager.h"
#include "games/uGameVariants.h"

namespace {

// The depth limit of a search without "sd".
constexpr std::int32_t NoDepthLimit = 99;

} // namespace

TNewCommand::TNewCommand() : TXBoardProtocolCommand("TNewCommand") {
    SetDescription("Reset the board to the standard chess starting position. Leave force mode.");
}

void TNewCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    protocol.KeepAnnouncedSetupIfUnplayed();
    engine.LevelManager().ResetLevels();
    engine.StopManager().SetLimitMaxDepth(NoDepthLimit);
    if (TGameVariant* standard = GameVariants().Default())
        protocol.SetGameVariant(standard);
    engine.NewGame();
    protocol.SetAutoPlay(true);
    protocol.AfterPositionChange();
}
