#pragma once

#include "games/chess/uChessGameVariant.h"

// The variants that change the rules of chess, registered with their start positions. Until
// their own positions and generators exist they play by the chess rules.

class TThreeCheckChessGameVariant final : public TChessGameVariant {
public:
    TThreeCheckChessGameVariant();
};

class TKingOfTheHillChessGameVariant final : public TChessGameVariant {
public:
    TKingOfTheHillChessGameVariant();
};

// Both armies on the first two rows, kings racing to the last row. No castling: the kings start
// off their castling rows, so the start position carries no rights.
class TRacingKingsChessGameVariant final : public TChessGameVariant {
public:
    TRacingKingsChessGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;

protected:
    void PrepareStartPosition(TChessPosition& APosition) override;
};

class TAtomicChessGameVariant final : public TChessGameVariant {
public:
    TAtomicChessGameVariant();
};

class TCrazyhouseChessGameVariant final : public TChessGameVariant {
public:
    TCrazyhouseChessGameVariant();
};
