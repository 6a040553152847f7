#pragma once

#include <memory>
#include <string>

#include "games/chess/uChessPosition.h"

// Shogi piece codes; promoted pieces follow the unpromoted ones.
enum TShogiPiece : std::int8_t {
    spNone,
    spPawn,
    spLance,
    spKnight,
    spSilver,
    spGold,
    spBishop,
    spRook,
    spKing,
    spPromotedPawn,
    spPromotedLance,
    spPromotedKnight,
    spPromotedSilver,
    spHorse,
    spDragon
};

// The position of the shogi family: the chess position with the shogi pieces, side names and
// keys. The first player, who moves first, is "Black".
class TShogiPosition : public TChessPosition {
public:
    TShogiPosition();

    std::string SideColorToString(int APlayerIndex) const override;
    // English only ("+P" for promoted pieces); other languages raise "Language not supported".
    std::string PieceToString(int APiece, TPieceLanguage APieceLanguage) const override;
    using TChessPosition::PieceToString;
    THash GetHash() const override;
    std::unique_ptr<TPosition> Clone() const override;
};
