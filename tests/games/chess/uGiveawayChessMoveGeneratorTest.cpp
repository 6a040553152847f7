#include "games/uGameTestHelpers.h"

#include <gtest/gtest.h>

TEST(TGiveawayChessMoveGenerator, LetsKingsBeTakenAndWinsWithoutMoves) {
    // The king takes into attack, and is itself taken; captures are compulsory.
    EXPECT_EQ(MakeGame("giveaway", "8/8/8/8/8/2q5/3p4/4K3 w - - 0 1").MoveTexts(),
              std::vector<std::string>{"e1d2"});
    EXPECT_EQ(MakeGame("giveaway", "8/8/8/8/8/8/3q4/4K3 b - - 0 1").MoveTexts(),
              std::vector<std::string>{"d2e1"});
    // Castling where the position grants it, with no attack test.
    TTestGame castling = MakeGame("giveaway", "4r3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    const std::vector<std::string> moves = castling.MoveTexts();
    EXPECT_NE(std::find(moves.begin(), moves.end(), "e1c1"), moves.end());
    constexpr const char* Won[] = {"8/8/8/8/8/8/8/4k3 w - - 0 1", "8/8/8/8/8/p7/P7/8 w - - 0 1"};
    for (const char* fen : Won) {
        SCOPED_TRACE(fen);
        TTestGame      game = MakeGame("giveaway", fen);
        TMoveListGuard guard(*game.Generator);
        EXPECT_EQ(guard.List().Count, 0u);
        EXPECT_EQ(game.Generator->Score(), TChessMoveGenerator::WonScore);
    }
}
