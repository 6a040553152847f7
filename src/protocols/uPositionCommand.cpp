#include "protocols/uPositionCommand.h"

#include "engine/uInternalEngine.h"
#include "protocols/uUCIParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

TPositionCommand::TPositionCommand() : TEngineCommand("TPositionCommand") {
    SetDescription("Set up the position described in fenstring on the internal board and play "
                   "the moves on the internal chess board.");
}

void TPositionCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine&    engine = Engine();
    TUCIParameterReader reader(AParameters);
    const std::string   kind = reader.ReadWord();
    std::string         position;
    std::string_view    moves;
    if (kind == "startpos") {
        const std::string next = reader.ReadWord();
        if (!next.empty() && next != "moves")
            throw EParseError({"moves"}, next);
        reader.SkipBlanks();
        moves = reader.Rest();
    } else if (kind == "fen" || kind == "sfen") {
        const std::string_view rest = reader.Rest();
        const std::size_t      movesAt = rest.find("moves");
        position = Trim(rest.substr(0, movesAt));
        if (movesAt != std::string_view::npos) {
            TUCIParameterReader movesReader(rest.substr(movesAt + 5));
            movesReader.SkipBlanks();
            moves = movesReader.Rest();
        }
    } else {
        throw EParseError({"startpos", "fen", "sfen"}, kind);
    }
    // All or nothing: a request that fails anywhere leaves the game the front end had.
    engine.SetGamePosition(kind == "startpos", position, moves);
}
