#include "protocols/xboard/uResultCommand.h"

#include "engine/uInternalEngine.h"

TResultCommand::TResultCommand() : TEngineCommand("TResultCommand") {
    SetDescription(
        "When detects that the game has ended by rule. ResultCode is a PGN result code (1-0, "
        "0-1, or 1/2-1/2), and comment is the reason. Here \"by rule\" means that the game is "
        "definitely over because of what happened on the board. In normal chess, this includes "
        "checkmate, stalemate, triple repetition, the 50 move rule, or insufficient material; it "
        "does not include loss on time or the like.");
}

void TResultCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    Engine().Stop();
}
