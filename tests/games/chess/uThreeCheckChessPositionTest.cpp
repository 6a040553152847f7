#include "games/chess/uThreeCheckChessPosition.h"

#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <gtest/gtest.h>

namespace {

TThreeCheckChessPosition& ThreeCheck(TTestGame& AGame) {
    return static_cast<TThreeCheckChessPosition&>(*AGame.Position);
}

} // namespace

TEST(TThreeCheckChessPosition, CountsChecksOnMakeAndRestoresThemOnRevert) {
    struct TCase {
        const char* Fen;
        const char* Move;
        int         Remaining; // of the mover, after the move
    };
    constexpr TCase Cases[] = {
        {"rnbqkbnr/ppppp1pp/8/5p2/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 3+3 0 1", "d1h5", 2},
        {"rnbqkbnr/ppppp1pp/8/5p2/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 3+3 0 1", "d1g4", 3},
        // A discovered check counts as well.
        {"4k3/8/8/8/4N3/8/8/4RK2 w - - 2+1 0 1", "e4c3", 1},
        {"4k3/8/8/8/8/8/7r/K7 b - - 3+2 0 1", "h2h1", 1},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Fen) + " " + c.Move);
        TTestGame   game = MakeGame("3Check", c.Fen);
        const int   mover = game.Position->Side();
        const THash before = game.Position->Hash();
        const TMove move = game.FindMove(c.Move);
        game.Position->MakeRevertableMove(move);
        EXPECT_EQ(ThreeCheck(game).RemainingChecks(mover), c.Remaining);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
        game.Position->RevertMove(move);
        EXPECT_EQ(game.Fen(), c.Fen);
        EXPECT_EQ(game.Position->Hash(), before);
    }
}

TEST(TThreeCheckChessPosition, ReadsBothCountFormsAndWritesTheRemainingChecks) {
    struct TCase {
        const char* Variant;
        const char* Fen;
        const char* Written;
    };
    constexpr TCase Cases[] = {
        {"3Check", "4k3/8/8/8/8/8/8/4K3 w - - 2+1 7 20", "4k3/8/8/8/8/8/8/4K3 w - - 2+1 7 20"},
        // Checks given, after the move number.
        {"3Check", "4k3/8/8/8/8/8/8/4K3 b - - 7 20 +1+2", "4k3/8/8/8/8/8/8/4K3 b - - 2+1 7 20"},
        {"3Check", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "4k3/8/8/8/8/8/8/4K3 w - - 3+3 0 1"},
        // Other variants read past the counters and keep the clocks right.
        {"chess", "4k3/8/8/8/8/8/8/4K3 w - - 1+3 7 20", "4k3/8/8/8/8/8/8/4K3 w - - 7 20"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame(c.Variant, c.Fen);
        EXPECT_EQ(game.Fen(), c.Written);
    }
    // Counts belong to the key: the same board with other counts is another position.
    EXPECT_NE(MakeGame("3Check", Cases[0].Fen).Position->Hash(),
              MakeGame("3Check", Cases[2].Fen).Position->Hash());
    EXPECT_THROW(MakeGame("3Check", "4k3/8/8/8/8/8/8/4K3 w - - 3+x 0 1"), EParseError);
}

TEST(TThreeCheckChessMoveGenerator, EndsTheGameAtTheThirdCheck) {
    TTestGame game =
        MakeGame("3Check", "rnbqkbnr/ppppp1pp/8/5p2/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 1+3 0 1");
    game.Position->MakeRevertableMove(game.FindMove("d1h5"));
    EXPECT_EQ(ThreeCheck(game).Winner(), 0);
    EXPECT_TRUE(game.MoveTexts().empty());
    TMoveListGuard guard(*game.Generator);
    EXPECT_EQ(game.Generator->Score(), TChessMoveGenerator::LostScore);
}
