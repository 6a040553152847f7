#include "protocols/xboard/uAcceptedCommand.h"

TAcceptedCommand::TAcceptedCommand() : TEngineCommand("TAcceptedCommand") {
    SetDescription("May be sent in reply to the \"feature\" command.");
}
