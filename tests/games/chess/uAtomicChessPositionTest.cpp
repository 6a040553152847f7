#include "games/uGameTestHelpers.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(TAtomicChessPosition, ExplodesAroundTheDestinationAndRevertsIt) {
    struct TCase {
        const char* Fen;
        const char* Move;
        const char* After;
    };
    constexpr TCase Cases[] = {
        // Capturer, victim and the knight go; the pawns around stay.
        {"4k3/8/2p1p3/3p4/2n1P3/8/8/4K3 w - - 0 1", "e4d5", "4k3/8/2p1p3/8/8/8/8/4K3 b - - 0 1"},
        // En passant: the explosion is centred on the destination, not on the captured pawn.
        {"4k3/8/2n5/1pP5/8/8/8/4K3 w - b6 0 1", "c5b6", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        // An exploded rook takes its castling right with it; the other right stays.
        {"r3k2r/1p6/8/8/8/8/8/1R2K3 w kq - 0 1", "b1b7", "4k2r/8/8/8/8/8/8/4K3 b k - 0 1"},
        // A promotion that captures explodes the new piece as well.
        {"1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8q", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Fen) + " " + c.Move);
        MakeGame("atomic", c.Fen).ExpectMakeAndRevert(c.Move, c.After);
    }
}

TEST(TAtomicChessMoveGenerator, KeepsOnlyMovesAfterWhichTheOwnKingSurvivesSafe) {
    struct TCase {
        const char* Fen;
        const char* Move;
        bool        Listed;
    };
    constexpr TCase Cases[] = {
        // Kings never capture.
        {"4k3/8/8/8/8/8/4p3/4K3 w - - 0 1", "e1e2", false},
        // A capture next to the own king explodes it.
        {"4k3/8/8/8/8/8/3p4/3RK3 w - - 0 1", "d1d2", false},
        // ... unless it explodes the enemy king too: that wins.
        {"8/8/8/8/8/8/2kp4/3RK3 w - - 0 1", "d1d2", false},
        {"8/8/8/8/8/2k5/2pp4/3R3K w - - 0 1", "d1d2", true},
        // Touching kings: the rook on the row does not check, so anything may move.
        {"8/8/8/3k4/r2K4/8/8/7R w - - 0 1", "h1h2", true},
        // A king may step next to the enemy king even onto an attacked cell.
        {"8/8/8/4k3/r7/4K3/8/8 w - - 0 1", "e3e4", true},
        {"8/8/8/4k3/8/4K3/r7/8 w - - 0 1", "e3d2", false},
        // Castling through an attacked cell is refused, as in chess.
        {"r3k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", true},
        {"3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", false},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Fen) + " " + c.Move);
        TTestGame                      game = MakeGame("atomic", c.Fen);
        const std::vector<std::string> moves = game.MoveTexts();
        EXPECT_EQ(std::find(moves.begin(), moves.end(), c.Move) != moves.end(), c.Listed);
    }
}

TEST(TAtomicChessMoveGenerator, ReportsWinsAndEndsGamesWithoutAKing) {
    TTestGame game = MakeGame("atomic", "8/8/8/8/8/2k5/2pp4/3R3K w - - 0 1");
    {
        TMoveListGuard guard(*game.Generator);
        EXPECT_EQ(game.Generator->Score(), TChessMoveGenerator::WinningMoveScore);
    }
    game.Position->MakeRevertableMove(game.FindMove("d1d2"));
    EXPECT_EQ(game.Fen(), "8/8/8/8/8/8/2p5/7K b - - 0 1");
    TMoveListGuard guard(*game.Generator);
    EXPECT_EQ(guard.List().Count, 0u);
    EXPECT_EQ(game.Generator->Score(), TChessMoveGenerator::LostScore);
}
