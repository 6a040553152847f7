#include "games/uPerft.h"

#include "games/uMoveGenerator.h"
#include "games/uPosition.h"

namespace {

std::uint64_t Count(TPosition& APosition, TMoveGenerator& AGenerator, int ADepth) {
    if (ADepth <= 1)
        return AGenerator.CountMoves();
    TMoveListGuard guard(AGenerator);
    TMoveList&     list = guard.List();
    std::uint64_t  nodes = 0;
    for (const TMove& move : list) {
        APosition.MakeRevertableMove(move);
        nodes += Count(APosition, AGenerator, ADepth - 1);
        APosition.RevertMove(move);
    }
    return nodes;
}

} // namespace

std::uint64_t Perft(TPosition& APosition, TMoveGenerator& AGenerator, int ADepth) {
    if (ADepth <= 0)
        return 1;
    return Count(APosition, AGenerator, ADepth);
}
