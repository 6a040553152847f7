#include "protocols/xboard/uRejectedCommand.h"

TRejectedCommand::TRejectedCommand() : TEngineCommand("TRejectedCommand") {
    SetDescription("May be sent in reply to the \"feature\" command.");
}
