#include "protocols/xboard/uRandomCommand.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uInternalEngine.h"
#include "support/uCustomArgument.h"

TRandomCommand::TRandomCommand() : TSimpleEngineCommand("TRandomCommand") {
    SetDescription("Toggles \"random\" mode. The \"new\" command sets random mode off.");
}

void TRandomCommand::ExecuteNoParam() {
    TSwitchArgument& randomPlay = Engine().CommonOptions().RandomPlay();
    randomPlay.SetValue(!randomPlay.Value());
}
