#pragma once

#include "games/uGameVariant.h"

#include <string>

class TChessPosition;

// Writes the position string of a chess position. Holes are written "_", which the parser reads
// back as holes. Castling as KQkq, or as rook column letters with CastleIdAsCoordinate. A
// crazyhouse position adds its reserves in brackets after the board and marks promoted pieces
// "~"; a three-check position writes the checks still to give ("3+3") after the en passant
// field.
class TChessForsythEdwardsNotationWriter : public TCustomForsythEdwardsNotationWriter {
public:
    std::string         AsString() override;
    virtual std::string BoardToString();
    virtual std::string WriteCastling();
    virtual std::string WriteEnPassant();

    bool CastleIdAsCoordinate() const { return FCastleIdAsCoordinate; }
    void SetCastleIdAsCoordinate(bool AValue) { FCastleIdAsCoordinate = AValue; }

protected:
    const TChessPosition& ChessPosition() const;

    bool FCastleIdAsCoordinate = false;
};
