#include "games/chess/uRacingKingsChessMoveGenerator.h"

#include <cstring>

TRacingKingsChessMoveGenerator::TRacingKingsChessMoveGenerator() {
    SetCustomAddChessMove(true);
    SetKingCentredAllowed(true);
}

void TRacingKingsChessMoveGenerator::SetPosition(TPosition* AValue) {
    TChessMoveGenerator::SetPosition(AValue);
    std::memset(FWinSquares, 0, sizeof(FWinSquares));
    if (FChessPosition == nullptr)
        return;
    const TChessBoard& board = FChessPosition->Board();
    for (int x = 0; x <= board.SqX(); ++x)
        FWinSquares[board.XYToI(x, board.SqY())] = 1;
}

bool TRacingKingsChessMoveGenerator::SecondKingCanArrive() {
    TChessBoard& board = FChessPosition->Board();
    const int king = board.FindKingPos(1);
    if (king == 0)
        return false;
    const int s = board.SqXC2();
    const int steps[8] = {s - 1, s + 1, -s - 1, -s + 1, s, -1, 1, -s};
    const std::int8_t piece = board[king];
    board[king] = 0;
    bool result = false;
    for (const int step : steps) {
        const int to = king + step;
        const int value = board[to];
        if (value == TSquaredBoard::OffBoard || value < 0 || FWinSquares[to] == 0)
            continue;
        if (!FChessPosition->IsAttacked(to, 0)) {
            result = true;
            break;
        }
    }
    board[king] = piece;
    return result;
}

TMoveList* TRacingKingsChessMoveGenerator::Generate() {
    if (FChessPosition == nullptr)
        return TChessMoveGenerator::Generate();
    TChessBoard& board = FChessPosition->Board();
    const int side = FChessPosition->Side();
    const int king = board.KingCode();
    bool firstArrived = false;
    bool secondArrived = false;
    for (int x = 0; x <= board.SqX(); ++x) {
        const int piece = board[board.XYToI(x, board.SqY())];
        firstArrived |= piece == king;
        secondArrived |= piece == -king;
    }
    if (firstArrived || secondArrived) {
        // The second player moves last in each round: its arrival ends the race at once, the
        // first player's only when the second cannot answer by arriving too.
        const bool over = side == 0 || secondArrived || !SecondKingCanArrive();
        if (over) {
            const bool draw = firstArrived && secondArrived;
            const bool sideWon = side == 0 ? !secondArrived : !firstArrived;
            return GenerateNoMoves(draw ? 0 : (sideWon ? WonScore : LostScore));
        }
    }
    FOpponentKingPos = board.FindKingPos(side ^ 1);
    FWinMove = false;
    TMoveList* list = TChessMoveGenerator::Generate();
    if (!FPerftMode) {
        for (const TMove& move : *list)
            if ((move.Piece == king || move.Piece == -king) && FWinSquares[move.ToSquare] != 0)
                FWinMove = true;
        if (FWinMove)
            SetScore(WinningMoveScore);
    }
    return list;
}

void TRacingKingsChessMoveGenerator::AddChessMove() {
    if (FAddMove && GivesCheck(SqS, SqD, PieceS, FMoveType))
        return;
    TChessMoveGenerator::AddChessMove();
}

bool TRacingKingsChessMoveGenerator::GivesCheck(int AFrom, int ATo, int APiece,
                                                std::uint8_t AMoveType) {
    const int target = FOpponentKingPos;
    if (target == 0)
        return false;
    const bool special = AMoveType != mvNormal && AMoveType != mvDoubleStep;
    if (!special && RelationsValid()) {
        // Only a piece that reaches the king from its new cell, or a line through the cell it
        // leaves, can give check.
        const int type = APiece < 0 ? -APiece : APiece;
        bool candidate = LineStep(target, AFrom) != 0;
        if (!candidate) {
            switch (type) {
            case cpPawn:
                candidate = ATo + Ofst[0] == target || ATo + Ofst[1] == target;
                break;
            case cpKnight:
                candidate = KnightJump(ATo, target);
                break;
            case cpBishop:
                candidate = LineStep(ATo, target) != 0 && DiagonalLine(ATo, target);
                break;
            case cpRook:
                candidate = LineStep(ATo, target) != 0 && !DiagonalLine(ATo, target);
                break;
            case cpQueen:
                candidate = LineStep(ATo, target) != 0;
                break;
            default:
                break;
            }
        }
        if (!candidate)
            return false;
    }
    // Play the move on the cells, look, and put every touched cell back as it was.
    int cells[4] = {AFrom, ATo, AFrom, AFrom};
    std::int8_t saved[4];
    int rookFrom = 0;
    int rookTo = 0;
    if (AMoveType == mvEnPassant) {
        cells[2] = ATo - Ofst[4];
    } else if (AMoveType == mvKingSideCastle || AMoveType == mvQueenSideCastle) {
        const bool kingSide = AMoveType == mvKingSideCastle;
        rookFrom = FChessPosition->Castles()[FSide][kingSide ? caKingRook : caQueenRook];
        rookTo = kingSide ? ATo - 1 : ATo + 1;
        cells[2] = rookFrom;
        cells[3] = rookTo;
    }
    for (int i = 0; i < 4; ++i)
        saved[i] = Squares[cells[i]];
    Squares[AFrom] = 0;
    if (AMoveType == mvEnPassant)
        Squares[cells[2]] = 0;
    if (rookFrom != 0) {
        Squares[rookFrom] = 0;
        Squares[rookTo] = static_cast<std::int8_t>(APiece > 0 ? cpRook : -cpRook);
    }
    int placed = APiece;
    if (AMoveType >= cpKnight && AMoveType <= cpKing)
        placed = APiece > 0 ? AMoveType : -AMoveType;
    Squares[ATo] = static_cast<std::int8_t>(placed);
    const bool check = AttackedBy(target, FSide);
    for (int i = 3; i >= 0; --i)
        Squares[cells[i]] = saved[i];
    return check;
}
