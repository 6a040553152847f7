#include "games/chess/uHordeChessMoveGenerator.h"

THordeChessMoveGenerator::THordeChessMoveGenerator(bool AFirstRowDoubleSteps) {
    SetFirstRowDoubleSteps(AFirstRowDoubleSteps);
    SetKingCentredAllowed(true);
    SetSkipImmobilePawns(true);
}

TMoveList* THordeChessMoveGenerator::Generate() {
    TMoveList* list = TChessMoveGenerator::Generate();
    if (FChessPosition == nullptr || FPerftMode || list->Count != 0)
        return list;
    // No move: without a king that is a loss only when no piece is left (else a stalemate).
    const TChessBoard& board = FChessPosition->Board();
    const int          side = FChessPosition->Side();
    if (board.FindKingPos(side) != 0)
        return list;
    bool pieces = false;
    for (int i = 0; i < board.UsedSquareCount() && !pieces; ++i) {
        const int value = board[board.UsedSquares()[i]];
        pieces = value != TSquaredBoard::OffBoard && value != 0 && (value < 0) == (side == 1);
    }
    SetScore(pieces ? 0 : LostScore);
    return list;
}
