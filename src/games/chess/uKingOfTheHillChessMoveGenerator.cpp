#include "games/chess/uKingOfTheHillChessMoveGenerator.h"

#include <cstring>

TKingOfTheHillChessMoveGenerator::TKingOfTheHillChessMoveGenerator() {
    SetKingCentredAllowed(true);
}

void TKingOfTheHillChessMoveGenerator::SetPosition(TPosition* AValue) {
    TChessMoveGenerator::SetPosition(AValue);
    std::memset(FHillSquares, 0, sizeof(FHillSquares));
    FHillCount = 0;
    if (FChessPosition == nullptr)
        return;
    // The centre: the middle two columns and rows of an even board, the middle one of an odd.
    const TChessBoard& board = FChessPosition->Board();
    const int          xs[2] = {board.SqX() / 2, board.SqXC() / 2};
    const int          ys[2] = {board.SqY() / 2, board.SqYC() / 2};
    for (const int y : ys)
        for (const int x : xs) {
            const int cell = board.XYToI(x, y);
            if (FHillSquares[cell] == 0)
                FHillCells[FHillCount++] = cell;
            FHillSquares[cell] = 1;
        }
}

TMoveList* TKingOfTheHillChessMoveGenerator::Generate() {
    if (FChessPosition == nullptr)
        return TChessMoveGenerator::Generate();
    const TChessBoard& board = FChessPosition->Board();
    const int          king = board.KingCode();
    const int          side = FChessPosition->Side();
    for (int i = 0; i < FHillCount; ++i) {
        const int piece = board[FHillCells[i]];
        if (piece == king || piece == -king)
            return GenerateNoMoves((piece > 0) == (side == 0) ? WonScore : LostScore);
    }
    TMoveList* list = TChessMoveGenerator::Generate();
    if (!FPerftMode) {
        FWinMove = false;
        for (const TMove& move : *list)
            if ((move.Piece == king || move.Piece == -king) && IsHillSquare(move.ToSquare))
                FWinMove = true;
        if (FWinMove)
            SetScore(WinningMoveScore);
    }
    return list;
}
