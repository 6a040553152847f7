#include "games/uMoveGenerator.h"

TMoveList* TMoveGenerator::Generate() {
    TMoveList* list = FMoveStack.GetNewMoveList(FMaxListMoves);
    FScore = NoScore;
    return list;
}
