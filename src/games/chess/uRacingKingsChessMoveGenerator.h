#pragma once

#include "games/chess/uChessMoveGenerator.h"

#include <cstdint>

// Chess moves of which none may give check: a move is dropped when, after it, the opponent's
// king is attacked, by the moved piece or along a line it opened. The kings race to the last
// row: when the second player's king stands there, or the first player's with the first player
// to move, the game is over (no moves). When the first player's king has arrived, the second
// player still moves if its king can follow at once, which makes the race a draw. A legal king
// step onto the last row makes Score WinningMoveScore.
class TRacingKingsChessMoveGenerator final : public TChessMoveGenerator {
public:
    TRacingKingsChessMoveGenerator();

    void       SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;
    void       AddChessMove() override;

private:
    // Marks, for this Generate, the cells from which a piece of the mover would attack the enemy
    // king, and the mover's pieces that alone stand between it and a mover's slider.
    void MarkCheckSquares();
    void UnmarkCheckSquares();
    bool GivesCheck(int AFrom, int ATo, int APiece, std::uint8_t AMoveType);
    // The full test: the move played on the cells.
    bool AttacksAfterMove(int AFrom, int ATo, int APiece, std::uint8_t AMoveType);
    // Whether the second player's king can step onto the last row without being attacked.
    bool SecondKingCanArrive();

    bool         FWinMove = false;
    int          FOpponentKingPos = 0;
    std::uint8_t FWinSquares[256]{};
    // Per cell: the kinds of piece that would give check from there (CheckBy* bits).
    std::uint8_t FCheckSquares[256]{};
    // Per cell holding a shielding piece: the step of the line from the enemy king through it.
    std::int8_t  FShieldStep[256]{};
    std::uint8_t FMarked[96]{};
    int          FMarkedCount = 0;
};
