#include "games/uMoveList.h"

#include "support/uExceptions.h"

bool IsSameMove(const TMove& AGenerated, const TMove& AParsed) {
    if (AGenerated.ToSquare != AParsed.ToSquare || AGenerated.MoveType != AParsed.MoveType)
        return false;
    if (AGenerated.MoveType == mvDrop)
        return AGenerated.Piece == AParsed.Piece;
    return AGenerated.FromSquare == AParsed.FromSquare;
}

TMoveStack::TMoveStack() : FMemory(new std::uint8_t[ArenaSize]) {}

void TMoveStack::RaiseOverflow() {
    throw Exception("Move stack overflow");
}
