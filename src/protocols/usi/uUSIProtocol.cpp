#include "protocols/usi/uUSIProtocol.h"

#include "engine/uInternalEngine.h"
#include "protocols/uGoCommand.h"
#include "protocols/uSetOptionCommand.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

namespace {

// USI option names are single words.
void RemoveBlanks(TCustomArgument& AArgument) {
    AArgument.SetShortcut(ReplaceAll(AArgument.Shortcut(), " ", ""));
}

} // namespace

TUSIProtocol::TUSIProtocol() {
    SetInitializationReply("usiok");
}

void TUSIProtocol::Initialize() {
    RemoveBlanks(ShowCurrentMoveArgument());
    RemoveBlanks(ShowSelectiveDepthArgument());
    for (TCustomArgument* option : RequireEngine(FInternalEngine).Options().Items())
        RemoveBlanks(*option);
    TUCIProtocol::Initialize();
    NewGameCommand()->SetShortcut("usinewgame");
    GoCommand()->SetFirstPlayerUsesBlackClock(true);
    for (TCustomCommand* command : Commands())
        if (auto* setOption = dynamic_cast<TCommonSetOptionCommand*>(command)) {
            setOption->IgnoreOption("USI_Ponder");
            setOption->IgnoreOption("USI_Hash");
        }
    Add(std::make_unique<TGameOverCommand>());
}

TGameOverCommand::TGameOverCommand() : TEngineCommand("TGameOverCommand") {
    SetDescription("The game is over: the engine has won, lost or drawn.");
}

void TGameOverCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::string result = Trim(AParameters);
    if (result != "win" && result != "lose" && result != "draw")
        throw EParseError({"win", "lose", "draw"}, result);
}
