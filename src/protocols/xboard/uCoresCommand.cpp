#include "protocols/xboard/uCoresCommand.h"

TCoresCommand::TCoresCommand() : TUnsupportedCommand("TCoresCommand") {
    SetDescription("How many CPU cores it is allowed to use maximally.");
}
