#include "games/chess/uChessSetupRules.h"

#include "games/chess/uChessPosition.h"
#include "support/uExceptions.h"

#include <string>

void CheckChessSetup(const TChessPosition& APosition, const TChessSetupRules& ARules) {
    const TChessBoard& board = APosition.Board();
    const auto         side = [&](int APlayer) { return APosition.SideColorToString(APlayer); };
    int                kings[2] = {};
    int                kingCell[2] = {};
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
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int piece = board[cell];
        if (piece == 0)
            continue;
        ++pieces;
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

    // Checks count only for royal kings.
    const int toMove = APosition.Side();
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
