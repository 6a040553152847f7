#include "games/chess/uCrazyhouseChessMoveGenerator.h"

#include "support/uExceptions.h"

#include <bit>

TCrazyhouseChessMoveGenerator::TCrazyhouseChessMoveGenerator() {
    FMaxListMoves = MaxMoves;
    SetKingCentredAllowed(true);
    SetPlainBoardMoves(true);
}

std::uint32_t TCrazyhouseChessMoveGenerator::CountMoves() {
    std::uint64_t empty = 0;
    const int     boardMoves = FChessPosition == nullptr ? -1 : CountBoardMoves(empty);
    if (boardMoves < 0)
        return TMoveGenerator::CountMoves();
    // Not in check: each type in the reserve drops on every empty cell, pawns not on the first
    // or the last row.
    constexpr std::uint64_t InnerRows = 0x00FFFFFFFFFFFF00ULL;
    const auto& counts = FChessPosition->CapturedPieces().Counts()[FChessPosition->Side()];
    const int   cells = std::popcount(empty);
    int         drops = 0;
    for (int type = cpKnight; type <= cpQueen; ++type)
        drops += counts[type] > 0 ? cells : 0;
    if (counts[cpPawn] > 0)
        drops += std::popcount(empty & InnerRows);
    return static_cast<std::uint32_t>(boardMoves + drops);
}

TMoveList* TCrazyhouseChessMoveGenerator::Generate() {
    TMoveList* list = TChessMoveGenerator::Generate();
    if (FChessPosition == nullptr)
        return list;
    const int   side = FChessPosition->Side();
    const auto& counts = FChessPosition->CapturedPieces().Counts()[side];
    bool        any = false;
    for (int type = cpPawn; type <= cpQueen; ++type)
        any |= counts[type] > 0;
    if (!any || FCheckingPiecePosition[side][1] != 0 || (FMustCapture && FRemove[side]))
        return list;

    // The cells a piece may be dropped on, in the side's order.
    const TChessBoard& board = FChessPosition->Board();
    std::uint8_t       cells[128];
    int                cellCount = 0;
    const int          checker = FCheckingPiecePosition[side][0];
    if (checker != 0) {
        // Only between a checking slider and the king.
        const int type = Squares[checker] < 0 ? -Squares[checker] : Squares[checker];
        if (type != cpBishop && type != cpRook && type != cpQueen)
            return list;
        const int    king = FKingPos[side];
        const int    dx = board.X(checker) - board.X(king);
        const int    dy = board.Y(checker) - board.Y(king);
        const int    step = (dx > 0) - (dx < 0) + ((dy > 0) - (dy < 0)) * board.SqXC2();
        std::uint8_t between[16];
        int          betweenCount = 0;
        for (int c = king + step; c != checker && betweenCount < 16; c += step)
            between[betweenCount++] = static_cast<std::uint8_t>(c);
        // Playing-square order: rows from the top; the second player walks it backwards.
        for (int i = 0; i < board.UsedSquareCount(); ++i) {
            const int cell = board.UsedSquares()[side == 0 ? i : board.UsedSquareCount() - 1 - i];
            for (int k = 0; k < betweenCount; ++k)
                if (between[k] == cell)
                    cells[cellCount++] = static_cast<std::uint8_t>(cell);
        }
    } else {
        for (int i = 0; i < board.UsedSquareCount(); ++i) {
            const int cell = board.UsedSquares()[side == 0 ? i : board.UsedSquareCount() - 1 - i];
            if (Squares[cell] == 0)
                cells[cellCount++] = static_cast<std::uint8_t>(cell);
        }
    }

    const int lastRow = board.SqY();
    for (int type = cpQueen; type >= cpPawn; --type) {
        const int count = counts[type];
        if (count <= 0)
            continue;
        const int piece = side == 0 ? type : -type;
        if (!FPerftMode)
            FSideScore->Add((count > 1 ? count : 2) * FEvaluation->Material[type] + 100, piece,
                            stMaterial);
        if (list->end() + cellCount > list->begin() + FMaxListMoves)
            throw Exception("Move stack overflow");
        for (int i = 0; i < cellCount; ++i) {
            const int cell = cells[i];
            if (type == cpPawn && (board.Y(cell) == 0 || board.Y(cell) == lastRow))
                continue;
            std::uint8_t priority = 0;
            if (!FPerftMode) {
                priority = Priority(cell, cell, piece, 0, mvDrop);
                if (priority > FMaxPrior)
                    FMaxPrior = priority;
            }
            list->Push(TMove{sizeof(TMove), priority, static_cast<std::uint8_t>(cell),
                             static_cast<std::uint8_t>(cell), static_cast<std::int8_t>(piece), 0,
                             mvDrop, 0});
        }
    }
    list->Seal();
    return list;
}
