#include "protocols/xboard/uEditCommand.h"

TEditCommand::TEditCommand() : TUnsupportedCommand("TEditCommand") {
    SetDescription("The edit command puts the chess engine into a special mode, where it accepts "
                   "subcommands.");
}
