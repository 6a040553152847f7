#include "protocols/xboard/uHintCommand.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "protocols/xboard/uXBoardMoveNotation.h"

#include <optional>
#include <string>

THintCommand::THintCommand() : TSimpleEngineCommand("THintCommand") {
    SetDescription("Asks for a hint.");
}

void THintCommand::ExecuteNoParam() {
    TInternalEngine&               engine = Engine();
    TEngineOutput&                 output = EngineOutput();
    const std::optional<TAnalysis> line = engine.AnalysisInfo().GetActualAnalysis();
    std::string move = line && line->Moves.size() >= 2 ? line->Moves[1] : output.NullMoveStr();
    if (const std::optional<TXBoardBoardSize> board = XBoardTranslatedBoard(engine))
        move = EngineToXBoardMove(move, *board);
    TWriteBlock block(output);
    output.Write("Hint: ", ccKeyword);
    output.WriteLine(move, ccValue);
}
