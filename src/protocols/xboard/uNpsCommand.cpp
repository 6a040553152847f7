#include "protocols/xboard/uNpsCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uStopManager.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

TNpsCommand::TNpsCommand() : TEngineCommand("TNpsCommand") {
    SetDescription("The engine should not use wall-clock time to make its timing decisions, but "
                   "an own internal time measure based on the number of nodes it has searched.");
}

void TNpsCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"exact time per move in seconds"}, "");
    TXBoardParameterReader reader(AParameters);
    engine.StopManager().SetLimitNodesPerSecond(static_cast<double>(reader.ReadInteger()));
}
