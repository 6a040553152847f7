#include "games/chess/uChessRuleVariants.h"

TThreeCheckChessGameVariant::TThreeCheckChessGameVariant() {
    SetName("3Check");
    SetCaption("3 Check");
    SetURL("https://lichess.org/variant/threeCheck");
}

TKingOfTheHillChessGameVariant::TKingOfTheHillChessGameVariant() {
    SetName("kingOfTheHill");
    SetCaption("King Of The Hill");
    SetURL("https://lichess.org/variant/kingOfTheHill");
}

TRacingKingsChessGameVariant::TRacingKingsChessGameVariant() {
    SetName("racingKings");
    SetCaption("Racing Kings");
    SetURL("https://lichess.org/variant/racingKings");
}

std::unique_ptr<TChessBoard> TRacingKingsChessGameVariant::CreateBoard() {
    auto board = std::make_unique<TChessBoard>();
    board->SetSymmetryType(stLineSymmetry);
    board->SetNotation(ntChess);
    board->SetSize(8, 8);
    for (int i = 0; i < board->UsedSquareCount(); ++i)
        (*board)[board->UsedSquares()[i]] = 0;
    // 8/8/8/8/8/8/krbnNBRK/qrbnNBRQ: the second player on the left half, the first on the right.
    const int last = board->SqX();
    const std::int8_t backRow[4] = {cpQueen, cpRook, cpBishop, cpKnight};
    const std::int8_t secondRow[4] = {cpKing, cpRook, cpBishop, cpKnight};
    for (int i = 0; i < 4; ++i) {
        (*board)[board->XYToI(i, 0)] = static_cast<std::int8_t>(-backRow[i]);
        (*board)[board->XYToI(i, 1)] = static_cast<std::int8_t>(-secondRow[i]);
        (*board)[board->XYToI(last - i, 0)] = backRow[i];
        (*board)[board->XYToI(last - i, 1)] = secondRow[i];
    }
    return board;
}

void TRacingKingsChessGameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.ClearCastles();
    APosition.InitializeHash();
}

TAtomicChessGameVariant::TAtomicChessGameVariant() {
    SetName("atomic");
    SetCaption("Atomic");
    SetURL("https://lichess.org/variant/atomic");
}

TCrazyhouseChessGameVariant::TCrazyhouseChessGameVariant() {
    SetName("crazyhouse");
    SetCaption("Crazyhouse");
    SetURL("https://lichess.org/variant/crazyhouse");
}
