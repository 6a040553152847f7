#pragma once

#include "games/chess/uChessMoveGenerator.h"

class TThreeCheckChessPosition;

// Chess moves, until a side has given its last check: then the game is over and the list empty.
class TThreeCheckChessMoveGenerator final : public TChessMoveGenerator {
public:
    TThreeCheckChessMoveGenerator();

    void       SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;

private:
    TThreeCheckChessPosition* FThreeCheckPosition = nullptr;
};
