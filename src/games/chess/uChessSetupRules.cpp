#include "games/chess/uChessSetupRules.h"

#include "games/chess/uChessPosition.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <string>

namespace {

// The pieces of AAttacker that attack ACell (chess moves), up to the first three.
int CountAttackers(const TChessBoard& ABoard, int ACell, int AAttacker) {
    const int s = ABoard.SqXC2();
    const int sign = AAttacker == 0 ? 1 : -1;
    const int behind = AAttacker == 0 ? -s : s;
    int       count = (ABoard[ACell + behind - 1] == sign * cpPawn) +
                (ABoard[ACell + behind + 1] == sign * cpPawn);
    const int knightSteps[8] = {2 * s - 1, 2 * s + 1, s - 2,      s + 2,
                                -s - 2,    -s + 2,    -2 * s - 1, -2 * s + 1};
    for (const int step : knightSteps)
        count += ABoard[ACell + step] == sign * cpKnight;
    const int steps[8] = {s - 1, s + 1, -s - 1, -s + 1, s, -s, 1, -1};
    for (int d = 0; d < 8 && count < 3; ++d) {
        int c = ACell + steps[d];
        while (ABoard[c] == 0)
            c += steps[d];
        count += ABoard[c] == sign * cpQueen || ABoard[c] == sign * (d < 4 ? cpBishop : cpRook);
    }
    return count;
}

} // namespace

void CheckChessBoardSize(const TChessBoard& ABoard, const TChessSetupRules& ARules) {
    if (ARules.Width > 0 && (ABoard.SqXC() != ARules.Width || ABoard.SqYC() != ARules.Height))
        throw EConvertError("Board of " + std::to_string(ABoard.SqXC()) + "x" +
                            std::to_string(ABoard.SqYC()) + " in a variant played on " +
                            std::to_string(ARules.Width) + "x" + std::to_string(ARules.Height));
}

void CheckChessSetup(const TChessPosition& APosition, const TChessSetupRules& ARules) {
    const TChessBoard& board = APosition.Board();
    const auto         side = [&](int APlayer) { return APosition.SideColorToString(APlayer); };
    CheckChessBoardSize(board, ARules);
    int kings[2] = {};
    int kingCell[2] = {};
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int piece = board[cell];
        if (piece == board.KingCode() || piece == -board.KingCode()) {
            const int player = piece > 0 ? 0 : 1;
            ++kings[player];
            kingCell[player] = cell;
        }
    }

    TChessSetupRules::TKings kingRule[2] = {ARules.Kings[0], ARules.Kings[1]};
    bool pawnsOnFirstRow[2] = {ARules.PawnsOnFirstRow[0], ARules.PawnsOnFirstRow[1]};
    if (ARules.EitherSideIsTheArmy) {
        if (kings[0] + kings[1] != 1 || kings[0] > 1 || kings[1] > 1)
            throw EConvertError("Not one king for one side and none for the other");
        const int army = kings[0] == 0 ? 0 : 1;
        kingRule[army] = TChessSetupRules::skNone;
        kingRule[army ^ 1] = TChessSetupRules::skOne;
        pawnsOnFirstRow[army] = true;
        pawnsOnFirstRow[army ^ 1] = false;
    }
    for (int player = 0; player < 2; ++player) {
        switch (kingRule[player]) {
        case TChessSetupRules::skOne:
            if (kings[player] == 0)
                throw EConvertError("No king of " + side(player));
            if (kings[player] > 1)
                throw EConvertError("More than one king of " + side(player));
            break;
        case TChessSetupRules::skNone:
            if (kings[player] > 0)
                throw EConvertError("King of " + side(player) + " in a variant where it has none");
            break;
        case TChessSetupRules::skAtMostOne:
            if (kings[player] > 1)
                throw EConvertError("More than one king of " + side(player));
            break;
        case TChessSetupRules::skAny:
            break;
        }
    }

    int pieces = 0;
    int pawns = 0;
    // Pieces by side and piece code, kings included.
    int counts[2][7] = {};
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int piece = board[cell];
        if (piece == 0)
            continue;
        ++pieces;
        if (piece >= -cpKing && piece <= cpKing)
            ++counts[piece > 0 ? 0 : 1][piece > 0 ? piece : -piece];
        if (piece != cpPawn && piece != -cpPawn)
            continue;
        ++pawns;
        if (ARules.NoPawns)
            throw EConvertError("Pawn in a variant without pawns");
        const int player = piece > 0 ? 0 : 1;
        const int y = board.Y(cell);
        const int lastRow = player == 0 ? board.SqY() : 0;
        if (y == lastRow)
            throw EConvertError("Pawn of " + side(player) + " on its last row");
        if (y == board.SqY() - lastRow && !pawnsOnFirstRow[player])
            throw EConvertError("Pawn of " + side(player) + " on its first row");
    }
    if (ARules.MaximalPieces > 0) {
        for (const auto& hand : APosition.CapturedPieces().Counts())
            for (std::size_t type = 0; type < hand.size(); ++type) {
                pieces += hand[type];
                if (type == cpPawn)
                    pawns += hand[type];
            }
        if (pieces > ARules.MaximalPieces)
            throw EConvertError("More pieces than the set has");
        if (pawns > ARules.MaximalPawns)
            throw EConvertError("More pawns than the set has");
    }

    if (ARules.BoundPromotions) {
        // The army of an either-side variant may be the other side than at the start.
        const bool swapped =
            ARules.EitherSideIsTheArmy &&
            (kingRule[0] == TChessSetupRules::skNone) != (ARules.StartSet[0][cpKing] == 0);
        for (int player = 0; player < 2; ++player) {
            const auto& start = ARules.StartSet[swapped ? player ^ 1 : player];
            int         promoted = 0;
            for (int type = cpKnight; type <= cpKing; ++type)
                promoted += std::max(0, counts[player][type] - start[type]);
            if (counts[player][cpPawn] > start[cpPawn])
                throw EConvertError("More pawns of " + side(player) + " than its set has");
            if (promoted > start[cpPawn] - counts[player][cpPawn])
                throw EConvertError("More pieces of " + side(player) +
                                    " than its missing pawns can have become");
        }
    }

    // Checks count only for royal kings.
    const int toMove = APosition.Side();
    if (kingRule[toMove] == TChessSetupRules::skOne && !ARules.NoChecks &&
        ARules.OpponentNotInCheck && CountAttackers(board, kingCell[toMove], toMove ^ 1) > 2)
        throw EConvertError("King of " + side(toMove) + " in check by more than two pieces");
    for (int player = 0; player < 2; ++player) {
        if (kingRule[player] != TChessSetupRules::skOne)
            continue;
        const bool mustNotBeInCheck =
            ARules.NoChecks || (ARules.OpponentNotInCheck && player != toMove);
        if (!mustNotBeInCheck || !APosition.IsAttacked(kingCell[player], player ^ 1))
            continue;
        if (ARules.NoChecks)
            throw EConvertError("King of " + side(player) +
                                " in check in a variant without checks");
        throw EConvertError("King of " + side(player) + " in check with " + side(toMove) +
                            " to move");
    }
}
