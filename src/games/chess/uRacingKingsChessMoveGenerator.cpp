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
    const int    king = board.FindKingPos(1);
    if (king == 0)
        return false;
    const int         s = board.SqXC2();
    const int         steps[8] = {s - 1, s + 1, -s - 1, -s + 1, s, -1, 1, -s};
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
    const int    side = FChessPosition->Side();
    const int    king = board.KingCode();
    bool         firstArrived = false;
    bool         secondArrived = false;
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
    MarkCheckSquares();
    TMoveList* list;
    try {
        list = TChessMoveGenerator::Generate();
    } catch (...) {
        UnmarkCheckSquares();
        throw;
    }
    UnmarkCheckSquares();
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

namespace {

enum : std::uint8_t { CheckByPawn = 1, CheckByKnight = 2, CheckByBishop = 4, CheckByRook = 8 };

} // namespace

void TRacingKingsChessMoveGenerator::MarkCheckSquares() {
    FMarkedCount = 0;
    const int target = FOpponentKingPos;
    if (target == 0)
        return;
    const TChessBoard& board = FChessPosition->Board();
    const std::int8_t* cells = board.Squares().data();
    const int          side = FChessPosition->Side();
    const int          sign = side == 0 ? 1 : -1;
    const int*         offsets = FOffsets[side];
    const auto         mark = [&](int ACell, std::uint8_t AKind) {
        if (FCheckSquares[ACell] == 0 && FShieldStep[ACell] == 0)
            FMarked[FMarkedCount++] = static_cast<std::uint8_t>(ACell);
        FCheckSquares[ACell] |= AKind;
    };
    // A pawn of the mover attacks forward-diagonally: it checks from behind the king's cell.
    for (int d = 0; d < 2; ++d)
        if (cells[target - offsets[d]] != TSquaredBoard::OffBoard)
            mark(target - offsets[d], CheckByPawn);
    for (int d = 8; d < 16; ++d)
        if (cells[target + offsets[d]] != TSquaredBoard::OffBoard)
            mark(target + offsets[d], CheckByKnight);
    for (int d = 0; d < 8; ++d) {
        const int          step = offsets[d];
        const std::uint8_t kind = d < 4 ? CheckByBishop : CheckByRook;
        int                c = target + step;
        while (cells[c] == 0) {
            mark(c, kind);
            c += step;
        }
        if (cells[c] == TSquaredBoard::OffBoard)
            continue;
        mark(c, kind);
        if ((cells[c] > 0) != (sign > 0))
            continue;
        // A piece of the mover: does one of its sliders of this line stand right behind it?
        const int shield = c;
        do
            c += step;
        while (cells[c] == 0);
        const int behind = cells[c] * sign;
        if (behind == cpQueen || behind == (d < 4 ? cpBishop : cpRook)) {
            if (FCheckSquares[shield] == 0 && FShieldStep[shield] == 0)
                FMarked[FMarkedCount++] = static_cast<std::uint8_t>(shield);
            FShieldStep[shield] = static_cast<std::int8_t>(step);
        }
    }
}

void TRacingKingsChessMoveGenerator::UnmarkCheckSquares() {
    for (int i = 0; i < FMarkedCount; ++i) {
        FCheckSquares[FMarked[i]] = 0;
        FShieldStep[FMarked[i]] = 0;
    }
    FMarkedCount = 0;
}

bool TRacingKingsChessMoveGenerator::GivesCheck(int AFrom, int ATo, int APiece,
                                                std::uint8_t AMoveType) {
    const int target = FOpponentKingPos;
    if (target == 0)
        return false;
    if (AMoveType != mvNormal && AMoveType != mvDoubleStep)
        return AttacksAfterMove(AFrom, ATo, APiece, AMoveType);
    // Moved off its line, a shielding piece opens the slider behind it.
    const int shieldStep = FShieldStep[AFrom];
    if (shieldStep != 0) {
        const TChessBoard& board = FChessPosition->Board();
        const int          dx = board.X(ATo) - board.X(target);
        const int          dy = board.Y(ATo) - board.Y(target);
        const int          adx = dx < 0 ? -dx : dx;
        const int          ady = dy < 0 ? -dy : dy;
        const bool         onLine =
            (dx == 0 || dy == 0 || adx == ady) &&
            (dx > 0) - (dx < 0) + ((dy > 0) - (dy < 0)) * board.SqXC2() == shieldStep;
        if (!onLine)
            return true;
    }
    // From its new cell: the marks were made on the cells before the move, which is exact here,
    // since a piece that could reach the king along the line it leaves would be giving check
    // already.
    const std::uint8_t kinds = FCheckSquares[ATo];
    if (kinds == 0)
        return false;
    switch (APiece < 0 ? -APiece : APiece) {
    case cpPawn:
        return (kinds & CheckByPawn) != 0;
    case cpKnight:
        return (kinds & CheckByKnight) != 0;
    case cpBishop:
        return (kinds & CheckByBishop) != 0;
    case cpRook:
        return (kinds & CheckByRook) != 0;
    case cpQueen:
        return (kinds & (CheckByBishop | CheckByRook)) != 0;
    default:
        return false;
    }
}

bool TRacingKingsChessMoveGenerator::AttacksAfterMove(int AFrom, int ATo, int APiece,
                                                      std::uint8_t AMoveType) {
    const int target = FOpponentKingPos;
    // Play the move on the cells, look, and put every touched cell back as it was.
    int         cells[4] = {AFrom, ATo, AFrom, AFrom};
    std::int8_t saved[4];
    int         rookFrom = 0;
    int         rookTo = 0;
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
