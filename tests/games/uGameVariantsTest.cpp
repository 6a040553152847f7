#include "games/chess/uRandomChessGameVariants.h"
#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

// The first row of a board, as the first player's letters.
std::string FirstRow(TTestGame& AGame) {
    const std::string fen = AGame.Fen();
    return fen.substr(fen.rfind('/') + 1, 8);
}

} // namespace

TEST(TGameVariants, RegistersTheEighteenVariantsInOrder) {
    const TGameVariants& variants = TestVariants();
    ASSERT_EQ(variants.Count(), 18u);
    EXPECT_EQ(variants.ToXBoardString(),
              "chess,chess960,shuffle,random256,nocastle,dunsany,hordeChess,horde,giveaway,"
              "3Check,kingOfTheHill,racingKings,atomic,crazyhouse,shogi,minishogi,"
              "goroGoroShogi,dobutsuShogi");
    EXPECT_EQ(variants.Items(0).Caption(), "Standard Chess");
    EXPECT_EQ(variants.Items(17).Caption(), "Dōbutsu Shōgi");
    EXPECT_EQ(variants.FindByName("CHESS960"), &variants.Items(1));
    EXPECT_EQ(variants.FindByName("Chess960"), &variants.Items(1));
    EXPECT_EQ(variants.FindByName("960"), nullptr);
    EXPECT_EQ(variants.FindByName("KINGOFTHEHILL")->Name(), "kingOfTheHill");
    EXPECT_EQ(variants.Items(0).SideColorToString(2), "Player3");
    EXPECT_EQ(variants.FindByName("shogi")->SideColorToString(0), "Black");
    EXPECT_TRUE(variants.FindByName("shuffle")->URL().empty());
    EXPECT_THROW(variants.Items(0).GetStalemateGameTermination(), ENotImplemented);
}

// The family tells the protocols which variants they can offer: the chess family first, then
// the four of shogi, and every position a variant starts from is written in its family's
// notation.
TEST(TGameVariants, NamesTheFamilyOfEachVariant) {
    const TGameVariants& variants = TestVariants();
    std::size_t          shogi = 0;
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        TGameVariant& variant = variants.Items(i);
        SCOPED_TRACE(variant.Name());
        if (shogi > 0) {
            EXPECT_EQ(variant.Family(), gfShogi);
        }
        shogi += variant.Family() == gfShogi;
        TTestGame game = MakeGame(variant.Name());
        // A FEN has at least six fields, an SFEN four.
        const std::string text = game.Fen();
        const auto        spaces = std::count(text.begin(), text.end(), ' ');
        if (variant.Family() == gfShogi) {
            EXPECT_EQ(spaces, 3) << text;
        } else {
            EXPECT_GE(spaces, 5) << text;
        }
    }
    EXPECT_EQ(shogi, 4u);
    EXPECT_EQ(variants.FirstOfFamily(gfShogi), variants.FindByName("shogi"));
    EXPECT_EQ(variants.Default(), variants.FindByName("chess"));
}

TEST(TGameVariants, BuildsEachStartPosition) {
    struct TCase {
        const char* Variant;
        const char* Fen;
    };
    constexpr TCase Cases[] = {
        {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"nocastle", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"},
        {"dunsany", "rnbqkbnr/pppppppp/8/8/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP b kq - 0 1"},
        {"hordeChess", "pp4pp/pppppppp/pppppppp/pppppppp/2pppp2/8/PPPPPPPP/RNBQKBNR w KQ - 0 1"},
        {"horde", "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP w kq - 0 1"},
        {"giveaway", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"},
        {"3Check", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 3+3 0 1"},
        {"racingKings", "8/8/8/8/8/8/krbnNBRK/qrbnNBRQ w - - 0 1"},
        {"crazyhouse", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR[] w KQkq - 0 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Variant);
        TTestGame game = MakeGame(c.Variant);
        EXPECT_EQ(game.Fen(), c.Fen);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
}

TEST(TGameVariants, NumbersTheRandomSetups) {
    struct TCase {
        const char*   Variant;
        std::uint32_t Id;
        const char*   FirstRow;
        const char*   Fen;
    };
    constexpr TCase Cases[] = {
        {"chess960", 0, "BBQNNRKR", "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1"},
        {"chess960", 518, "RNBQKBNR", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1"},
        {"chess960", 959, "RKRNNQBB", nullptr},
        {"shuffle", 0, "BBQKNNRR", "bbqknnrr/pppppppp/8/8/8/8/PPPPPPPP/BBQKNNRR w Gg - 0 1"},
        {"shuffle", 2879, "RRNNKQBB", nullptr},
        {"random256", 0, "RNBQKBNR", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"random256", 255, "RNBQKBNR", "rnbqkbnr/8/pppppppp/8/8/PPPPPPPP/8/RNBQKBNR w KQkq - 0 1"},
        {"random256", 170, "RNBQKBNR",
         "rnbqkbnr/p1p1p1p1/1p1p1p1p/8/8/1P1P1P1P/P1P1P1P1/RNBQKBNR w KQkq - 0 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + std::to_string(c.Id));
        TTestGame game;
        game.Variant = TestVariants().FindByName(c.Variant);
        game.Position =
            static_cast<TRandomChessGameVariant*>(game.Variant)->CreateStartPosition(c.Id);
        EXPECT_EQ(FirstRow(game), c.FirstRow);
        if (c.Fen != nullptr) {
            EXPECT_EQ(game.Fen(), c.Fen);
        }
    }
    // Random draws stay within the numbering and give well-formed setups.
    TGameVariant* chess960 = TestVariants().FindByName("chess960");
    for (int i = 0; i < 20; ++i) {
        TTestGame game;
        game.Variant = chess960;
        game.Position = chess960->CreateStartPosition();
        const std::string row = FirstRow(game);
        EXPECT_EQ(row.find('K') > row.find('R') && row.find('K') < row.rfind('R'), true) << row;
        EXPECT_EQ((row.find('B') + row.rfind('B')) % 2, 1u) << row;
    }
}

TEST(TGameVariants, SetsTheGeneratorFlagsOfTheFamily) {
    TTestGame giveaway = MakeGame("giveaway");
    EXPECT_TRUE(giveaway.ChessGenerator().MustCapture());
    EXPECT_FALSE(giveaway.ChessGenerator().MateKing());
    EXPECT_EQ(giveaway.ChessGenerator().PromotePawnTo(), 6);
    // Dunsany: Black first; the white pawns never double-step.
    TTestGame dunsany = MakeGame("dunsany", "4k3/8/8/8/8/8/PPPPPPPP/PPPPPPPP w - - 0 1");
    for (const std::string& move : dunsany.MoveTexts())
        EXPECT_EQ(move[3], '3') << move;
    TTestGame chess960 = MakeGame("chess960");
    EXPECT_TRUE(chess960.Chess().UseCastleStrings());
    TTestGame shogi = MakeGame("shogi");
    EXPECT_EQ(shogi.Chess().Board().SqXC(), 9);
    EXPECT_EQ(shogi.Chess().Board().Notation(), ntShogi);
    EXPECT_EQ(shogi.Position->PieceToString(-13, plEnglish), "+b");
    EXPECT_EQ(MakeGame("minishogi")
                  .Chess()
                  .Board()
                  .SquareToString(MakeGame("minishogi").Chess().Board().FindKingPos(0)),
              "a1");
}
