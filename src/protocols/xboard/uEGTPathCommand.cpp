#include "protocols/xboard/uEGTPathCommand.h"

TEGTPathCommand::TEGTPathCommand() : TUnsupportedCommand("TEGTPathCommand") {
    SetDescription("Which directory (given by the PATH argument) it can find end-game tables of "
                   "the specified TYPE.");
}
