#include "protocols/xboard/uSetScoreCommand.h"

TSetScoreCommand::TSetScoreCommand() : TUnsupportedCommand("TSetScoreCommand") {
    SetDescription("Instructs the engine to treat future search requests on the current position "
                   "(also when it is encountered inside a larger search tree) upto the given "
                   "\"Depth\" as if these result is \"Score\" centi-Pawn in favor of the side "
                   "that has the move in this position.");
}
