#include "protocols/xboard/uOTimCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "protocols/xboard/uTimeCommand.h"

TOTimCommand::TOTimCommand() : TEngineCommand("TOTimCommand") {
    SetDescription("Set a clock that always belongs to the opponent. N is a number in "
                   "centiseconds (units of 1/100 second). Even if the opponent changes to "
                   "playing the opposite color, this clock remains with the opponent.");
}

void TOTimCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    engine.LevelManager().SetOpponentRemainTime(
        ReadCentisecondClock(AParameters, "opponent time in centi-seconds"));
}
