#include "protocols/xboard/uProtoVerCommand.h"

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
