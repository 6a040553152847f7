#include "games/uGameTestHelpers.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(THordeChessMoveGenerator, DoubleStepsFromTheFirstRowWithoutEnPassant) {
    TTestGame horde = MakeGame("horde", "4k3/8/8/8/8/3p4/8/PPPPPPPP w - - 0 1");
    const std::vector<std::string> moves = horde.MoveTexts();
    EXPECT_NE(std::find(moves.begin(), moves.end(), "c1c3"), moves.end());
    horde.Position->MakeRevertableMove(horde.FindMove("c1c3"));
    EXPECT_EQ(horde.Fen(), "4k3/8/8/8/8/2Pp4/8/PP1PPPPP b - - 0 1");
    // Mirrored: the black horde's pawns on the eighth row.
    TTestGame hordeChess = MakeGame("hordeChess", "pppppppp/8/3P4/8/8/8/8/4K3 b - - 0 1");
    const std::vector<std::string> black = hordeChess.MoveTexts();
    EXPECT_NE(std::find(black.begin(), black.end(), "e8e6"), black.end());
    // Dunsany's White never double-steps, from any row.
    for (const std::string& move : MakeGame("dunsany", "4k3/8/8/8/8/8/P7/P7 w - - 0 1").MoveTexts())
        EXPECT_NE(move, "a1a3");
}

TEST(THordeChessMoveGenerator, LosesWithoutPiecesAndDrawsWhenBlocked) {
    struct TCase {
        const char*  Variant;
        const char*  Fen;
        std::int16_t Score;
    };
    constexpr TCase Cases[] = {
        {"horde", "4k3/8/8/8/8/8/8/8 w - - 0 1", TChessMoveGenerator::LostScore},
        {"horde", "4k3/8/8/8/8/8/p7/P7 w - - 0 1", 0},
        {"hordeChess", "8/8/8/8/8/8/8/4K3 b - - 0 1", TChessMoveGenerator::LostScore},
        {"dunsany", "4k3/8/8/8/8/8/8/8 w - - 0 1", TChessMoveGenerator::LostScore},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame      game = MakeGame(c.Variant, c.Fen);
        TMoveListGuard guard(*game.Generator);
        EXPECT_EQ(guard.List().Count, 0u);
        EXPECT_EQ(game.Generator->Score(), c.Score);
    }
}
