#include "games/uGameTestHelpers.h"

#include <gtest/gtest.h>

TEST(TKingOfTheHillChessMoveGenerator, SignalsTheWinningStepAndEndsOnTheHill) {
    struct TCase {
        const char*   Fen;
        std::uint32_t Moves;
        std::int16_t  Score; // NoScore: an ordinary evaluation
    };
    constexpr TCase Cases[] = {
        {"4k3/8/8/8/8/3K4/8/8 w - - 0 1", 8, TChessMoveGenerator::WinningMoveScore},
        // The hill cell is attacked: no winning step.
        {"4k3/8/8/8/r7/3K4/8/8 w - - 0 1", 5, TMoveGenerator::NoScore},
        // A king on the hill has won; its opponent has no moves.
        {"4k3/8/8/8/4K3/8/8/8 b - - 0 1", 0, TChessMoveGenerator::LostScore},
        {"8/8/8/3k4/8/8/8/4K3 b - - 0 1", 0, TChessMoveGenerator::WonScore},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame      game = MakeGame("kingOfTheHill", c.Fen);
        TMoveListGuard guard(*game.Generator);
        EXPECT_EQ(guard.List().Count, c.Moves);
        if (c.Score != TMoveGenerator::NoScore)
            EXPECT_EQ(game.Generator->Score(), c.Score);
        else
            EXPECT_LT(game.Generator->Score(), TChessMoveGenerator::WinningMoveScore);
    }
}
