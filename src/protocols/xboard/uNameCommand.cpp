#include "protocols/xboard/uNameCommand.h"

TNameCommand::TNameCommand() : TEngineCommand("TNameCommand") {
    SetDescription("Informs about engine opponent's name.");
}
