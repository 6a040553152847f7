#include "games/chess/uAtomicChessMoveGenerator.h"

#include <cstdlib>

TAtomicChessMoveGenerator::TAtomicChessMoveGenerator() {
    SetMateKing(false);
    SetCustomAddChessMove(true);
    SetKingCentredAllowed(true);
}

bool TAtomicChessMoveGenerator::Touching(int ACell, int AOther) const {
    if (RelationsValid())
        return KingStep(ACell, AOther);
    const TChessBoard& board = FChessPosition->Board();
    return ACell != AOther && std::abs(board.X(ACell) - board.X(AOther)) <= 1 &&
           std::abs(board.Y(ACell) - board.Y(AOther)) <= 1;
}

bool TAtomicChessMoveGenerator::Aligned(int ACell, int AOther) const {
    if (RelationsValid())
        return LineStep(ACell, AOther) != 0;
    const TChessBoard& board = FChessPosition->Board();
    const int          dx = std::abs(board.X(ACell) - board.X(AOther));
    const int          dy = std::abs(board.Y(ACell) - board.Y(AOther));
    return dx == 0 || dy == 0 || dx == dy;
}

TMoveList* TAtomicChessMoveGenerator::Generate() {
    if (FChessPosition == nullptr)
        return TChessMoveGenerator::Generate();
    TChessBoard& board = FChessPosition->Board();
    const int    side = FChessPosition->Side();
    FKing = board.KingCode();
    FOwnKing = board.FindKingPos(side);
    FEnemyKing = board.FindKingPos(side ^ 1);
    if (FOwnKing == 0 || FEnemyKing == 0)
        return GenerateNoMoves(FOwnKing == FEnemyKing ? 0 : (FOwnKing == 0 ? LostScore : WonScore));
    Squares = board.Squares().data();
    FKingsTouch = Touching(FOwnKing, FEnemyKing);
    FInCheck = !FKingsTouch && AttackedBy(FOwnKing, side ^ 1);
    FWinMove = false;
    TMoveList* list = TChessMoveGenerator::Generate();
    if (FWinMove && !FPerftMode)
        SetScore(WinningMoveScore);
    return list;
}

void TAtomicChessMoveGenerator::AddChessMove() {
    if (FAddMove && !IsLegal(SqS, SqD, PieceS, PieceD, FMoveType))
        return;
    TChessMoveGenerator::AddChessMove();
}

bool TAtomicChessMoveGenerator::IsLegal(int AFrom, int ATo, int APiece, int ACaptured,
                                        std::uint8_t AMoveType) {
    const bool king = APiece == FKing || APiece == -FKing;
    if (ACaptured != 0 || AMoveType == mvEnPassant)
        return !king && CaptureIsLegal(AFrom, ATo, AMoveType);
    if (king) {
        if (AMoveType == mvKingSideCastle || AMoveType == mvQueenSideCastle)
            return CastlingIsLegal(AFrom, ATo, APiece, AMoveType);
        if (Touching(ATo, FEnemyKing))
            return true;
        // The king's own cell must not shield the cell it steps to.
        const std::int8_t saved = Squares[AFrom];
        Squares[AFrom] = 0;
        const bool attacked = AttackedBy(ATo, FSide ^ 1);
        Squares[AFrom] = saved;
        return !attacked;
    }
    // A quiet move can only expose the king along a line through the cell it leaves.
    if (FKingsTouch || (!FInCheck && !Aligned(FOwnKing, AFrom)))
        return true;
    const std::int8_t savedFrom = Squares[AFrom];
    const std::int8_t savedTo = Squares[ATo];
    Squares[AFrom] = 0;
    Squares[ATo] = static_cast<std::int8_t>(APiece);
    const bool attacked = AttackedBy(FOwnKing, FSide ^ 1);
    Squares[ATo] = savedTo;
    Squares[AFrom] = savedFrom;
    return !attacked;
}

bool TAtomicChessMoveGenerator::CaptureIsLegal(int AFrom, int ATo, std::uint8_t AMoveType) {
    // Play the explosion on the cells: mover, victim and the pieces around the destination
    // other than pawns. Every touched cell is saved first and put back afterwards.
    constexpr int Count = 11;
    int           cells[Count];
    std::int8_t   saved[Count];
    cells[0] = AFrom;
    cells[1] = ATo;
    cells[2] = AMoveType == mvEnPassant ? ATo - Ofst[4] : ATo;
    for (int d = 0; d < 8; ++d)
        cells[3 + d] = ATo + Ofst[d];
    for (int i = 0; i < Count; ++i)
        saved[i] = Squares[cells[i]];
    Squares[AFrom] = 0;
    Squares[ATo] = 0;
    Squares[cells[2]] = 0;
    for (int i = 3; i < Count; ++i) {
        const int value = Squares[cells[i]];
        if (value != TSquaredBoard::OffBoard && value != cpPawn && value != -cpPawn)
            Squares[cells[i]] = 0;
    }
    const int ownKing = FSide == 0 ? FKing : -FKing;
    bool      legal;
    if (Squares[FOwnKing] != ownKing) {
        legal = false;
    } else if (Squares[FEnemyKing] != -ownKing) {
        legal = true;
        FWinMove = true;
    } else {
        legal = FKingsTouch || !AttackedBy(FOwnKing, FSide ^ 1);
    }
    for (int i = Count - 1; i >= 0; --i)
        Squares[cells[i]] = saved[i];
    return legal;
}

bool TAtomicChessMoveGenerator::CastlingIsLegal(int AFrom, int AKingTo, int AKing,
                                                std::uint8_t AMoveType) {
    if (FInCheck)
        return false;
    const bool  kingSide = AMoveType == mvKingSideCastle;
    const int   rook = FChessPosition->Castles()[FSide][kingSide ? caKingRook : caQueenRook];
    const int   rookTo = kingSide ? AKingTo - 1 : AKingTo + 1;
    const int   cells[4] = {AFrom, rook, rookTo, AKingTo};
    std::int8_t saved[4];
    for (int i = 0; i < 4; ++i)
        saved[i] = Squares[cells[i]];
    const std::int8_t rookPiece = Squares[rook];
    // The cells the king passes, with the king lifted and the rook still in place; then the
    // king's destination with both moved.
    Squares[AFrom] = 0;
    bool      legal = true;
    const int step = AKingTo > AFrom ? 1 : -1;
    for (int c = AFrom + step; AFrom != AKingTo && c != AKingTo; c += step)
        if (Threatened(c)) {
            legal = false;
            break;
        }
    if (legal) {
        Squares[rook] = 0;
        Squares[rookTo] = rookPiece;
        Squares[AKingTo] = static_cast<std::int8_t>(AKing);
        legal = !Threatened(AKingTo);
    }
    for (int i = 3; i >= 0; --i)
        Squares[cells[i]] = saved[i];
    return legal;
}
