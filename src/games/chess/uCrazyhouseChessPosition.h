#pragma once

#include "games/chess/uChessPosition.h"

#include <cstdint>
#include <memory>

// The crazyhouse position: the captured pieces are the players' reserves, from which pieces are
// dropped. A piece that came from a promotion is marked on its cell; captured, it goes to the
// reserve as a pawn. Reserves and marks are part of the hash; the marks of the cells a move
// touches are part of its undo record.
class TCrazyhouseChessPosition : public TChessPosition {
public:
    TCrazyhouseChessPosition();

    void                       Assign(const TPosition& ASource) override;
    THash                      GetHash() const override;
    void                       DoMove(const TMove& AMove) override;
    void                       MakeRevertableMove(const TMove& AMove) override;
    void                       RevertMove(const TMove& AMove) override;
    std::unique_ptr<TPosition> Clone() const override;
    // Also: a promotion mark only where a piece stands.
    std::string SelfCheck() const override;

    bool IsPromotedPiece(int ACell) const { return (FPromoted[ACell >> 6] >> (ACell & 63)) & 1; }
    // Sets or clears a mark without touching the hash (position strings; InitializeHash
    // follows).
    void SetPromotedPiece(int ACell, bool AValue);
    void ClearPromotedPieces() { FPromoted[0] = FPromoted[1] = 0; }

private:
    void TogglePromoted(int ACell);

    // One bit per cell index.
    std::uint64_t FPromoted[2]{};
};
