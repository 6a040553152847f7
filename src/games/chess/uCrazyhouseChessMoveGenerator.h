#pragma once

#include "games/chess/uChessMoveGenerator.h"

// Chess moves, then drops from the reserve of the side to move: queens, rooks, bishops, knights,
// pawns, each type on every empty cell (pawns not on the first or the last row), the first
// player's in playing-square order, the second player's in reverse. In check a drop must block
// the checking line; against a knight or pawn, or in double check, there is none. Under
// compulsory captures drops count as quiet moves.
class TCrazyhouseChessMoveGenerator final : public TChessMoveGenerator {
public:
    // Board moves and drops of one position stay below this many.
    static constexpr std::size_t MaxMoves = 600;

    TCrazyhouseChessMoveGenerator();

    TMoveList* Generate() override;
    // Out of check on 8 x 8: the board moves counted on bit sets, and every drop from the
    // number of empty cells.
    std::uint32_t CountMoves() override;
};
