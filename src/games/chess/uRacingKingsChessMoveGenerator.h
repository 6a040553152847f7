#pragma once

#include <cstdint>

#include "games/chess/uChessMoveGenerator.h"

// Chess moves of which none may give check: a move is dropped when, after it, the opponent's
// king is attacked, by the moved piece or along a line it opened. The kings race to the last
// row: when the second player's king stands there, or the first player's with the first player
// to move, the game is over (no moves). When the first player's king has arrived, the second
// player still moves if its king can follow at once, which makes the race a draw. A legal king
// step onto the last row makes Score WinningMoveScore.
class TRacingKingsChessMoveGenerator final : public TChessMoveGenerator {
public:
    TRacingKingsChessMoveGenerator();

    void SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;
    void AddChessMove() override;

private:
    bool GivesCheck(int AFrom, int ATo, int APiece, std::uint8_t AMoveType);
    // Whether the second player's king can step onto the last row without being attacked.
    bool SecondKingCanArrive();

    bool FWinMove = false;
    int FOpponentKingPos = 0;
    std::uint8_t FWinSquares[256]{};
};
