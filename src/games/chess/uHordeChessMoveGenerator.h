#pragma once

#include "games/chess/uChessMoveGenerator.h"

// Chess moves for an army without a king against a full one (horde, horde chess, Dunsany's
// chess). The side without a king cannot be checked; it has lost when its last piece is gone.
// In the horde setups pawns on their side's first row double-step as from the second.
class THordeChessMoveGenerator final : public TChessMoveGenerator {
public:
    explicit THordeChessMoveGenerator(bool AFirstRowDoubleSteps);

    TMoveList* Generate() override;
};
