#include "games/chess/uCrazyhouseChessPosition.h"

#include "games/uGameTestHelpers.h"

#include <gtest/gtest.h>

TEST(TCrazyhouseChessPosition, ReturnsPromotedPiecesToTheReserveAsPawns) {
    struct TCase {
        const char* Fen;
        const char* Move;
        const char* After;
    };
    constexpr TCase Cases[] = {
        {"4k3/8/8/8/8/8/3q~4/4K3[] w - - 0 1", "e1d2", "4k3/8/8/8/8/8/3K4/8[P] b - - 0 1"},
        {"4k3/8/8/8/8/8/3q4/4K3[] w - - 0 1", "e1d2", "4k3/8/8/8/8/8/3K4/8[Q] b - - 0 1"},
        // The mark follows its piece, and a promotion sets it.
        {"4k3/8/8/8/8/8/3Q~4/4K3[p] w - - 0 1", "d2d7", "4k3/3Q~4/8/8/8/8/8/4K3[p] b - - 1 1"},
        {"1n2k3/P7/8/8/8/8/8/4K3[] w - - 0 1", "a7b8r", "1R~2k3/8/8/8/8/8/8/4K3[N] b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3[Nq] b - - 0 1", "Q@e2", "4k3/8/8/8/8/8/4q3/4K3[N] w - - 1 2"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Fen) + " " + c.Move);
        MakeGame("crazyhouse", c.Fen).ExpectMakeAndRevert(c.Move, c.After);
    }
}

TEST(TCrazyhouseChessPosition, KeepsMarksOnlyForCrazyhouse) {
    // Other variants read the mark and drop it; an empty reserve may be written "-".
    EXPECT_EQ(MakeGame("chess", "4k3/8/8/8/8/8/3Q~4/4K3 w - - 0 1").Fen(),
              "4k3/8/8/8/8/8/3Q4/4K3 w - - 0 1");
    EXPECT_EQ(MakeGame("crazyhouse", "4k3/8/8/8/8/8/3Q~4/4K3[-] w - - 0 1").Fen(),
              "4k3/8/8/8/8/8/3Q~4/4K3[] w - - 0 1");
    // Marks and reserves belong to the key.
    EXPECT_NE(MakeGame("crazyhouse", "4k3/8/8/8/8/8/3Q~4/4K3[] w - - 0 1").Position->Hash(),
              MakeGame("crazyhouse", "4k3/8/8/8/8/8/3Q4/4K3[] w - - 0 1").Position->Hash());
    EXPECT_NE(MakeGame("crazyhouse", "4k3/8/8/8/8/8/8/4K3[Pp] w - - 0 1").Position->Hash(),
              MakeGame("crazyhouse", "4k3/8/8/8/8/8/8/4K3[PP] w - - 0 1").Position->Hash());
}

TEST(TCrazyhouseChessMoveGenerator, DropsOnEveryAllowedCell) {
    struct TCase {
        const char* Fen;
        const char* Piece; // the drop prefix counted
        int         Drops;
    };
    constexpr TCase Cases[] = {
        {"r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR[N] w KQkq - 0 1", "N@", 33},
        // Pawns never on the first or the last row.
        {"4k3/8/8/8/8/8/8/4K3[P] w - - 0 1", "P@", 48},
        {"4k3/8/8/8/8/8/8/4K3[p] b - - 0 1", "P@", 48},
        // In check from a slider only between checker and king; pawns not on the first row.
        {"4k3/8/8/8/8/8/8/r3K3[NP] w - - 0 1", "N@", 3},
        {"4k3/8/8/8/8/8/8/r3K3[NP] w - - 0 1", "P@", 0},
        // No drop answers a knight's check or a double check.
        {"4k3/8/8/8/8/3n4/8/4K3[Q] w - - 0 1", "Q@", 0},
        {"4k3/8/8/8/1b6/8/4r3/4K3[QNP] w - - 0 1", "Q@", 0},
        // A reserve of the other side gives nothing.
        {"4k3/8/8/8/8/8/8/4K3[q] w - - 0 1", "Q@", 0},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame("crazyhouse", c.Fen);
        int       drops = 0;
        for (const std::string& move : game.MoveTexts())
            drops += move.rfind(c.Piece, 0) == 0;
        EXPECT_EQ(drops, c.Drops);
    }
    // Drops are quiet moves: compulsory captures leave none of them.
    TTestGame game = MakeGame("crazyhouse", "4k3/8/8/8/8/8/3p4/4K3[N] w - - 0 1");
    game.Generator->SetMustCapture(true);
    EXPECT_EQ(game.MoveTexts(), std::vector<std::string>{"e1d2"});
}
