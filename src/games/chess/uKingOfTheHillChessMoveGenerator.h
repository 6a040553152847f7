#pragma once

#include "games/chess/uChessMoveGenerator.h"

#include <cstdint>

// Chess moves, and the hill: a king standing on one of the centre cells has won, so a position
// with a king there has no moves. A legal king step onto the hill makes Score WinningMoveScore.
class TKingOfTheHillChessMoveGenerator final : public TChessMoveGenerator {
public:
    TKingOfTheHillChessMoveGenerator();

    void       SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;

    bool IsHillSquare(int ACell) const { return FHillSquares[ACell] != 0; }

private:
    bool         FWinMove = false;
    std::uint8_t FHillSquares[256]{};
    int          FHillCells[4]{};
    int          FHillCount = 0;
};
