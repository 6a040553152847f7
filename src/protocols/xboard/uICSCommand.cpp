#include "protocols/xboard/uICSCommand.h"

TICSCommand::TICSCommand() : TEngineCommand("TICSCommand") {
    SetDescription("If HostName is \"-\", the engine is playing against a local opponent; "
                   "otherwise, the engine is playing on an Internet Chess Server (ICS) with the "
                   "given hostname.");
}
