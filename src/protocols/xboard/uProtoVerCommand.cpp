#include "protocols/xboard/uProtoVerCommand.h"

#include "engine/uInternalEngine.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <limits>

TProtoVerCommand::TProtoVerCommand() : TXBoardProtocolCommand("TProtoVerCommand") {
    SetDescription("Set protocol version and get engine features and options.");
}

void TProtoVerCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (FXBoardProtocol == nullptr)
        throw Exception("No protocol.");
    TXBoardParameterReader reader(AParameters);
    const std::int64_t     version = reader.ReadInteger();
    FXBoardProtocol->SetProtocolVersion(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(version, 0, std::numeric_limits<std::int32_t>::max())));
    FXBoardProtocol->WriteFeatures();
}

TAcceptedCommand::TAcceptedCommand() : TEngineCommand("TAcceptedCommand") {
    SetDescription("May be sent in reply to the \"feature\" command.");
}

TRejectedCommand::TRejectedCommand() : TEngineCommand("TRejectedCommand") {
    SetDescription("May be sent in reply to the \"feature\" command.");
}

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

TNameCommand::TNameCommand() : TEngineCommand("TNameCommand") {
    SetDescription("Informs about engine opponent's name.");
}

TICSCommand::TICSCommand() : TEngineCommand("TICSCommand") {
    SetDescription("If HostName is \"-\", the engine is playing against a local opponent; "
                   "otherwise, the engine is playing on an Internet Chess Server (ICS) with the "
                   "given hostname.");
}

TComputerCommand::TComputerCommand() : TSimpleEngineCommand("TComputerCommand") {
    SetDescription("The opponent is also a computer chess engine.");
}
