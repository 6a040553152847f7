#include "protocols/xboard/uComputerCommand.h"

TComputerCommand::TComputerCommand() : TSimpleEngineCommand("TComputerCommand") {
    SetDescription("The opponent is also a computer chess engine.");
}
