#include "protocols/xboard/uExcludeCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "support/uTextHelpers.h"

#include <functional>
#include <optional>
#include <string>

namespace {

// The move of the parameter text as the engine writes it.
std::string EngineMove(TInternalEngine& AEngine, std::string_view AParameters) {
    const std::string                     move = Trim(AParameters);
    const std::optional<TXBoardBoardSize> board = XBoardTranslatedBoard(AEngine);
    return board ? XBoardToEngineMove(move, *board) : move;
}

// Changes the filter between the end of a running analysis and the start of the next.
void ChangeFilter(TXBoardProtocol& AProtocol, const std::function<void()>& AChange) {
    AProtocol.BeforePositionChange();
    AChange();
    AProtocol.AfterPositionChange();
}

} // namespace

TExcludeCommand::TExcludeCommand() : TXBoardProtocolCommand("TExcludeCommand") {
    SetDescription("Exclude \"Move\" for search.");
}

void TExcludeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TRootMoves&       rootMoves = Engine().RootMoves();
    const std::string move = EngineMove(Engine(), AParameters);
    ChangeFilter(Protocol(), [&] {
        if (SameText(move, "all"))
            rootMoves.ExcludeAll();
        else
            rootMoves.Exclude(move);
    });
}

TIncludeCommand::TIncludeCommand() : TXBoardProtocolCommand("TIncludeCommand") {
    SetDescription("Include \"Move\" for search.");
}

void TIncludeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TRootMoves&       rootMoves = Engine().RootMoves();
    const std::string move = EngineMove(Engine(), AParameters);
    ChangeFilter(Protocol(), [&] {
        if (SameText(move, "all"))
            rootMoves.IncludeAll();
        else
            rootMoves.Include(move);
    });
}

TExcludeAllCommand::TExcludeAllCommand() : TXBoardProtocolCommand("TExcludeAllCommand") {
    SetDescription("No moves are possible. After this command call \"Include\" commands.");
}

void TExcludeAllCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TRootMoves& rootMoves = Engine().RootMoves();
    ChangeFilter(Protocol(), [&] { rootMoves.ExcludeAll(); });
}

TIncludeAllCommand::TIncludeAllCommand() : TXBoardProtocolCommand("TIncludeAllCommand") {
    SetDescription("All moves are possible, default state. After this command call \"Exclude\" "
                   "commands.");
}

void TIncludeAllCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TRootMoves& rootMoves = Engine().RootMoves();
    ChangeFilter(Protocol(), [&] { rootMoves.IncludeAll(); });
}
