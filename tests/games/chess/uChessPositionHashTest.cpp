#include "games/chess/uChessPositionHash.h"

#include "games/uGameTestHelpers.h"
#include "support/uRandomGenerator.h"

#include <gtest/gtest.h>
#include <set>

TEST(TChessPositionHash, DrawsItsKeysFromSeedZeroInTheBoardOrder) {
    TTestGame                 game = MakeGame("chess"); // draws the keys for the standard board
    const TChessPositionHash& keys = ChessPositionHash();
    ASSERT_TRUE(keys.Initialized());
    const TChessBoard& board = game.Chess().Board();

    TKvRandomGenerator generator;
    generator.SetSeed(0);
    generator.RandomU4();
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        for (int code = -6; code <= 6; ++code) {
            THash expected;
            expected.Index = generator.RandomU4();
            expected.Code = generator.RandomU8();
            if (code == 0)
                expected.Clear();
            ASSERT_EQ(keys.SquareKey(code, cell), expected) << "cell " << cell << " code " << code;
        }
    }
    THash player;
    player.Index = generator.RandomU4();
    player.Code = generator.RandomU8();
    EXPECT_EQ(keys.FPlayer, player);
    THash firstEnPassant;
    firstEnPassant.Index = generator.RandomU4();
    firstEnPassant.Code = generator.RandomU8();
    EXPECT_EQ(keys.FEnPassant[0], firstEnPassant);
}

TEST(TChessPositionHash, GivesEveryCellOfTheArrayDistinctKeys) {
    MakeGame("chess");
    const TChessPositionHash& keys = ChessPositionHash();
    std::set<std::uint64_t>   codes;
    for (int cell = 0; cell < 128; ++cell)
        for (int code = -TChessPositionHash::MaxCode; code <= TChessPositionHash::MaxCode; ++code) {
            if (code == 0) {
                EXPECT_EQ(keys.SquareKey(code, cell), THash{});
                continue;
            }
            EXPECT_TRUE(codes.insert(keys.SquareKey(code, cell).Code).second);
        }
    // A position string on a taller board hashes its extra rows too.
    TTestGame   tall = MakeBoardGame("chess", "4k3/8/8/8/8/8/8/8/8/4K3 w - - 0 1");
    const THash before = tall.Position->GetHash();
    tall.Chess().Board()[tall.Chess().Board().XYToI(0, 9)] = 4;
    EXPECT_NE(tall.Position->GetHash(), before);
}

TEST(TShogiPositionHash, UsesAThirtyTwoBitSideKey) {
    TTestGame                 game = MakeGame("shogi");
    const TShogiPositionHash& keys = ShogiPositionHash();
    ASSERT_TRUE(keys.Initialized());
    EXPECT_NE(keys.FPlayer.Code, 0u);
    EXPECT_EQ(keys.FPlayer.Code >> 32, 0u);
    EXPECT_EQ(keys.SquareKey(0, 60), THash{});
    EXPECT_NE(keys.SquareKey(-14, 60), THash{});
    EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    game.Position->NextSideToPlay();
    EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
}
