#pragma once

#include "games/chess/uChessPosition.h"

#include <memory>

// The atomic position: a capture explodes on its destination cell. The capturing piece, the
// captured piece and every piece other than a pawn on the eight cells around are removed; an
// exploded rook takes its castling right with it, an exploded king all of its side's rights.
// Exploded pieces are not counted as captured. The undo record keeps the eight cells around the
// destination as they were before the move.
class TAtomicChessPosition : public TChessPosition {
public:
    TAtomicChessPosition();

    void                       DoMove(const TMove& AMove) override;
    void                       MakeRevertableMove(const TMove& AMove) override;
    void                       RevertMove(const TMove& AMove) override;
    std::unique_ptr<TPosition> Clone() const override;

    // The eight cells around ACell, in the first player's direction order.
    void Neighbours(int ACell, int (&ACells)[8]) const;

private:
    // Empties ACell, with its key and the castling rights of what stood there.
    void Explode(int ACell);
};
