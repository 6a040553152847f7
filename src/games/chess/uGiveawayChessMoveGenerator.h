#pragma once

#include "games/chess/uChessMoveGenerator.h"

// Giveaway moves: captures compulsory, the king an ordinary piece that may be captured and may
// step into attack (and castles, where a position grants it, without any attack test), pawns
// promote to king too. A side that has no move, having lost all its pieces or being blocked,
// has won.
class TGiveawayChessMoveGenerator final : public TChessMoveGenerator {
public:
    TGiveawayChessMoveGenerator();

    TMoveList* Generate() override;
};
