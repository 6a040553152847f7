#include "games/chess/uChessBitboards.h"

#include <cstdlib>

namespace ChessBitboards {

TBitboard LineThrough(int ACell, int AOther) {
    const int dx = (AOther & 7) - (ACell & 7);
    const int dy = (AOther >> 3) - (ACell >> 3);
    if (dx == 0 && dy == 0)
        return 0;
    const TBitboard cell = TBitboard{1} << ACell;
    const TTables&  tables = Tables();
    if (dx == 0)
        return tables.File[ACell] | cell;
    if (dy == 0)
        return TBitboard{0xFF} << (ACell & 56);
    if (dx == dy)
        return tables.Diagonal[ACell] | cell;
    if (dx == -dy)
        return tables.AntiDiagonal[ACell] | cell;
    return 0;
}

} // namespace ChessBitboards
