#include "games/chess/uGiveawayChessMoveGenerator.h"

TGiveawayChessMoveGenerator::TGiveawayChessMoveGenerator() {
    SetPromotePawnTo(cpKing);
    SetMustCapture(true);
    SetMateKing(false);
    SetKingCentredAllowed(true);
}

TMoveList* TGiveawayChessMoveGenerator::Generate() {
    TMoveList* list = TChessMoveGenerator::Generate();
    if (FChessPosition != nullptr && !FPerftMode && list->Count == 0)
        SetScore(WonScore);
    return list;
}
