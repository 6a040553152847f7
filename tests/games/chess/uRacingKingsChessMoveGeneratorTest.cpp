#include "games/uGameTestHelpers.h"
#include "support/uRandomGenerator.h"

#include <algorithm>
#include <gtest/gtest.h>

// No listed move may leave the opponent's king attacked, whatever attacks it: checked by playing
// every listed move along random games.
TEST(TRacingKingsChessMoveGenerator, ListsNoMoveThatGivesCheck) {
    constexpr const char* Fens[] = {
        "",
        "8/8/8/8/8/8/krbnNBRK/qrbnNBRQ w - - 0 1",
        // A rook behind a knight on the king's row, and a queen on the same line.
        "8/8/8/8/8/8/k7/1N1R1Q1K w - - 0 1",
    };
    TKvRandomGenerator random;
    random.SetSeed(7);
    for (const char* fen : Fens) {
        SCOPED_TRACE(fen);
        TTestGame game = MakeGame("racingKings", fen);
        for (int walk = 0; walk < 10; ++walk) {
            std::vector<TMove> played;
            for (int ply = 0; ply < 40; ++ply) {
                std::vector<TMove> moves;
                {
                    TMoveListGuard guard(*game.Generator);
                    moves.assign(guard.List().begin(), guard.List().end());
                }
                for (const TMove& move : moves) {
                    game.Position->MakeRevertableMove(move);
                    const int side = game.Position->Side();
                    const int king = game.Chess().Board().FindKingPos(side);
                    EXPECT_FALSE(king != 0 && game.Chess().IsAttacked(king, side ^ 1))
                        << game.Position->MoveToString(move);
                    game.Position->RevertMove(move);
                }
                if (moves.empty())
                    break;
                played.push_back(
                    moves[random.RangeU4(static_cast<std::uint32_t>(moves.size()) - 1)]);
                game.Position->MakeRevertableMove(played.back());
            }
            for (auto it = played.rbegin(); it != played.rend(); ++it)
                game.Position->RevertMove(*it);
        }
    }
    // Moves that stay behind the knight are kept; the knight's own moves uncover the rook.
    TTestGame                      game = MakeGame("racingKings", Fens[2]);
    const std::vector<std::string> moves = game.MoveTexts();
    EXPECT_NE(std::find(moves.begin(), moves.end(), "d1c1"), moves.end());
    EXPECT_NE(std::find(moves.begin(), moves.end(), "f1e1"), moves.end());
    EXPECT_EQ(std::find(moves.begin(), moves.end(), "b1c3"), moves.end());
}

TEST(TRacingKingsChessMoveGenerator, EndsTheRaceOnTheLastRow) {
    struct TCase {
        const char*   Fen;
        std::uint32_t Moves;
        std::int16_t  Score;
    };
    constexpr TCase Cases[] = {
        {"8/1K6/8/8/8/8/6k1/8 w - - 0 1", 8, TChessMoveGenerator::WinningMoveScore},
        // White has arrived: Black moves on only while it can arrive too.
        {"K7/6k1/8/8/8/8/8/8 b - - 0 1", 8, TChessMoveGenerator::WinningMoveScore},
        {"K1R5/6k1/8/8/8/8/8/8 b - - 0 1", 0, TChessMoveGenerator::LostScore},
        {"K7/8/8/8/8/8/8/6k1 w - - 0 1", 0, TChessMoveGenerator::WonScore},
        {"K5k1/8/8/8/8/8/8/8 w - - 0 1", 0, 0},
        {"6k1/8/8/8/8/8/1K6/8 w - - 0 1", 0, TChessMoveGenerator::LostScore},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame      game = MakeGame("racingKings", c.Fen);
        TMoveListGuard guard(*game.Generator);
        EXPECT_EQ(guard.List().Count, c.Moves);
        EXPECT_EQ(game.Generator->Score(), c.Score);
    }
}
