#include "protocols/xboard/uVariantCommand.h"

#include "engine/uInternalEngine.h"
#include "games/uGameVariants.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"

TVariantCommand::TVariantCommand() : TXBoardProtocolCommand("TVariantCommand") {
    SetDescription("Set specified game variant.");
}

void TVariantCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TXBoardProtocol& protocol = Protocol();
    Engine();
    TXBoardParameterReader reader(AParameters);
    const std::string      word = reader.ReadWord();
    TGameVariant*          variant = GameVariants().FindByName(TXBoardProtocol::VariantName(word));
    if (variant == nullptr)
        throw EParseError({"VariantName"}, word);
    protocol.BeforePositionChange();
    protocol.SetGameVariant(variant);
    protocol.WriteSetup();
    protocol.AfterPositionChange();
}
