#include "protocols/xboard/uQuestionMarkCommand.h"

TQuestionMarkCommand::TQuestionMarkCommand() : TStopCommand("TQuestionMarkCommand") {
    SetShortcut("?");
}
