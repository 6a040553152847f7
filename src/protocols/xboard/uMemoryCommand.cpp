#include "protocols/xboard/uMemoryCommand.h"

TMemoryCommand::TMemoryCommand() : TUnsupportedCommand("TMemoryCommand") {
    SetDescription("THow much memory it is allowed to use maximally, in MegaBytes.");
}
