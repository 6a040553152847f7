#include "protocols/xboard/uUserMoveCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <string>

TUserMoveCommand::TUserMoveCommand() : TXBoardProtocolCommand("TUserMoveCommand") {
    SetDescription("Do specified move or moves.");
}

void TUserMoveCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    // Without a move there is nothing the opponent did: the engine must not take the turn.
    if (TrimView(AParameters).empty())
        throw EParseError({"Move"}, "");
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    // Move by move, so that a refused move can be named as the front end wrote it.
    TXBoardParameterReader reader(AParameters);
    engine.RootMoves().Clear();
    for (std::string move = reader.ReadWord(); !move.empty(); move = reader.ReadWord()) {
        try {
            engine.DoMoves(XBoardToEngineMove(engine, move));
        } catch (const EAbort&) {
            throw;
        } catch (const Exception&) {
            TXBoardEngineOutput* output = XBoardOutputOf(engine);
            if (output == nullptr)
                throw;
            output->IllegalMove(move);
            protocol.AfterPositionChange();
            return;
        }
    }
    protocol.AfterPositionChange();
    if (protocol.AutoPlay()) {
        engine.SetDoMoveAfterStop(true);
        engine.Start();
        protocol.ClaimGameEnd();
    }
}
