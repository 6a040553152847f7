#include "games/chess/uThreeCheckChessMoveGenerator.h"

#include "games/chess/uThreeCheckChessPosition.h"

TThreeCheckChessMoveGenerator::TThreeCheckChessMoveGenerator() {
    SetKingCentredAllowed(true);
}

void TThreeCheckChessMoveGenerator::SetPosition(TPosition* AValue) {
    TChessMoveGenerator::SetPosition(AValue);
    FThreeCheckPosition = dynamic_cast<TThreeCheckChessPosition*>(AValue);
}

TMoveList* TThreeCheckChessMoveGenerator::Generate() {
    if (FThreeCheckPosition != nullptr) {
        const int winner = FThreeCheckPosition->Winner();
        if (winner >= 0)
            return GenerateNoMoves(winner == FThreeCheckPosition->Side() ? WonScore : LostScore);
    }
    return TChessMoveGenerator::Generate();
}
