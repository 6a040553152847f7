#pragma once

#include "games/chess/uChessGameVariant.h"

// The variants that change the rules of chess: each brings its own position class, move
// generator or start board.

// The standard setup; the side that gives three checks wins.
class TThreeCheckChessGameVariant final : public TChessGameVariant {
public:
    TThreeCheckChessGameVariant();

protected:
    std::unique_ptr<TChessPosition>      NewPosition() override;
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};

// The standard setup; a king that reaches the centre wins.
class TKingOfTheHillChessGameVariant final : public TChessGameVariant {
public:
    TKingOfTheHillChessGameVariant();

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};

// Both armies on the first two rows, kings racing to the last row. No castling: the kings start
// off their castling rows, so the start position carries no rights.
class TRacingKingsChessGameVariant final : public TChessGameVariant {
public:
    TRacingKingsChessGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
    TChessSetupRules             SetupRules() const override;

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
    void                                 PrepareStartPosition(TChessPosition& APosition) override;
};

// The standard setup; captures explode.
class TAtomicChessGameVariant final : public TChessGameVariant {
public:
    TAtomicChessGameVariant();
    TChessSetupRules SetupRules() const override;

protected:
    std::unique_ptr<TChessPosition>      NewPosition() override;
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};

// The standard setup; captured pieces change sides and are dropped back on the board.
class TCrazyhouseChessGameVariant final : public TChessGameVariant {
public:
    TCrazyhouseChessGameVariant();
    TChessSetupRules SetupRules() const override;

protected:
    std::unique_ptr<TChessPosition>      NewPosition() override;
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};
