#include "protocols/xboard/uXBoardCommand.h"

#include "engine/uEngineCommand.h"
#include "engine/uInternalEngine.h"
#include "platform/uPlatformSignals.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardProtocol.h"
#include "support/uExceptions.h"

#include <memory>

TXBoardCommand::TXBoardCommand() : TProtocolCommand("TXBoardCommand") {
    SetDescription("Use the XBoard interface.");
}

void TXBoardCommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    SetInterruptSignalIgnored(true);
    auto output = std::make_unique<TXBoardEngineOutput>(Host().OutputConsole());
    output->SetInternalEngine(&engine);
    engine.SetOutput(std::move(output));
    auto             protocol = std::make_unique<TXBoardProtocol>();
    TXBoardProtocol& xboard = *protocol;
    Host().SetProtocol(std::move(protocol));
    xboard.UpdateCastlingNotation();
}
