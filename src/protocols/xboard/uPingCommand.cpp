#include "protocols/xboard/uPingCommand.h"

#include "engine/uEngineOutput.h"

TPingCommand::TPingCommand() : TEngineCommand("TPingCommand") {
    SetDescription("Replies by sending the string pong Id, where Id is the same string received.");
}

void TPingCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TEngineOutput& output = EngineOutput();
    TWriteBlock    block(output);
    output.Write("pong ", ccKeyword);
    output.WriteLine(AParameters, ccValue);
}
