#include "games/uMoveGenerator.h"

#include "games/uPosition.h"

TMoveList* TMoveGenerator::Generate() {
    TMoveList* list = FMoveStack.GetNewMoveList(FMaxListMoves);
    FScore = NoScore;
    return list;
}

TGameTermination TMoveGenerator::NoMoveTermination() const {
    const bool first = FPosition == nullptr || FPosition->Side() == 0;
    return {first ? grBlackWin : grWhiteWin, rcMates};
}
