#pragma once

#include <string>

#include "games/uGameVariant.h"

class TChessPosition;

// Writes the position string of a chess position. Holes are written "_", which the parser reads
// back as holes. Castling as KQkq, or as rook column letters with CastleIdAsCoordinate.
class TChessForsythEdwardsNotationWriter : public TCustomForsythEdwardsNotationWriter {
public:
    std::string AsString() override;
    virtual std::string BoardToString();
    virtual std::string WriteCastling();
    virtual std::string WriteEnPassant();

    bool CastleIdAsCoordinate() const { return FCastleIdAsCoordinate; }
    void SetCastleIdAsCoordinate(bool AValue) { FCastleIdAsCoordinate = AValue; }

protected:
    const TChessPosition& ChessPosition() const;

    bool FCastleIdAsCoordinate = false;
};
