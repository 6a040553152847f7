#include "protocols/xboard/uMemoryCommand.h"

TMemoryCommand::TMemoryCommand() : TUnsupportedCommand("TMemoryCommand") {
    SetDescription("THow much memory it is allowed to use maximally, in MegaBytes.");
}

TCoresCommand::TCoresCommand() : TUnsupportedCommand("TCoresCommand") {
    SetDescription("How many CPU cores it is allowed to use maximally.");
}

TEditCommand::TEditCommand() : TUnsupportedCommand("TEditCommand") {
    SetDescription("The edit command puts the chess engine into a special mode, where it accepts "
                   "subcommands.");
}

TSetScoreCommand::TSetScoreCommand() : TUnsupportedCommand("TSetScoreCommand") {
    SetDescription("Instructs the engine to treat future search requests on the current position "
                   "(also when it is encountered inside a larger search tree) upto the given "
                   "\"Depth\" as if these result is \"Score\" centi-Pawn in favor of the side "
                   "that has the move in this position.");
}

TEGTPathCommand::TEGTPathCommand() : TUnsupportedCommand("TEGTPathCommand") {
    SetDescription("Which directory (given by the PATH argument) it can find end-game tables of "
                   "the specified TYPE.");
}
