#include "games/uMoveGenerator.h"

TMoveList* TMoveGenerator::Generate() {
    TMoveList* list = FMoveStack.GetNewMoveList(FMaxListMoves);
    FScore = NoScore;
    return list;
}

std::uint32_t TMoveGenerator::CountMoves() {
    TMoveListGuard guard(*this);
    return guard.List().Count;
}
