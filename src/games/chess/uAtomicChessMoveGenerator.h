#pragma once

#include "games/chess/uChessMoveGenerator.h"

#include <cstdint>

// Atomic moves: the chess moves without the attack bookkeeping of check (MateKing off), each
// kept only when the mover's king survives its explosion and then stands safe. A king is safe
// when the enemy king is gone, when it touches the enemy king (that king cannot attack without
// exploding itself), or when nothing attacks it. Kings never capture; castling needs a king
// that is not attacked and a path the opponent does not attack, in the same sense. A side
// without a king has lost: its list is empty. A capture that explodes the enemy king makes Score
// WinningMoveScore.
class TAtomicChessMoveGenerator final : public TChessMoveGenerator {
public:
    TAtomicChessMoveGenerator();

    TMoveList* Generate() override;
    void       AddChessMove() override;

private:
    bool IsLegal(int AFrom, int ATo, int APiece, int ACaptured, std::uint8_t AMoveType);
    bool CaptureIsLegal(int AFrom, int ATo, std::uint8_t AMoveType);
    bool CastlingIsLegal(int AFrom, int AKingTo, int AKing, std::uint8_t AMoveType);
    bool Touching(int ACell, int AOther) const;
    bool Aligned(int ACell, int AOther) const;
    // Attacked by the opponent in the atomic sense: not next to the enemy king.
    bool Threatened(int ACell) const {
        return !Touching(ACell, FEnemyKing) && AttackedBy(ACell, FSide ^ 1);
    }

    int  FKing = cpKing;
    int  FOwnKing = 0;
    int  FEnemyKing = 0;
    bool FKingsTouch = false;
    bool FInCheck = false;
    bool FWinMove = false;
};
