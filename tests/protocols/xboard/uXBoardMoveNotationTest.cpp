#include "protocols/xboard/uXBoardMoveNotation.h"

#include "uXBoardTestSupport.h"

#include <gtest/gtest.h>

using namespace xboardtest;

namespace {

using TLines = std::vector<std::string>;

} // namespace

TEST(TXBoardMoveNotation, ShogiMovesBetweenXBoardAndEngine) {
    struct TCase {
        TXBoardBoardSize Board;
        const char*      XBoard;
        const char*      Engine;
    };
    // clang-format off
    const TCase cases[] = {
        {{9, 9}, "c3c4",  "7g7f"},
        {{9, 9}, "f3f4",  "4g4f"},
        {{9, 9}, "b2h8+", "8h2b+"},
        {{9, 9}, "a9a1",  "9a9i"},
        {{9, 9}, "i1i9",  "1i1a"},
        {{9, 9}, "P@e5",  "P*5e"},
        {{9, 9}, "G@d8",  "G*6b"},
        {{5, 5}, "a1b2",  "5e4d"},
        {{5, 6}, "e6e5",  "1a1b"},
        {{3, 4}, "a4c1+", "3a1d+"},
        {{8, 8, true}, "e2e4", "e7e5"},
        {{8, 8, true}, "c2c1q", "c7c8q"},
        {{8, 8, true}, "e1g1", "e8g8"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.XBoard);
        EXPECT_EQ(XBoardToEngineMove(c.XBoard, c.Board), c.Engine);
        EXPECT_EQ(EngineToXBoardMove(c.Engine, c.Board), c.XBoard);
    }
    // "=" declines a promotion: the plain move.
    EXPECT_EQ(XBoardToEngineMove("b2h8=", {9, 9}), "8h2b");
    // Texts that are no move on the board stay as they are, for the engine to refuse.
    for (const char* text : {"j1j2", "a0a1", "a1a10", "e2e4q", "P@z9", "xyz", "", "@@@@"})
        EXPECT_EQ(XBoardToEngineMove(text, {9, 9}), text) << text;
    for (const char* text : {"0a1a", "10a1a", "P*5j", "@@@@"})
        EXPECT_EQ(EngineToXBoardMove(text, {9, 9}), text) << text;
    EXPECT_EQ(EngineToXBoardLine("7g7f 3c3d P*5e", {9, 9}), "c3c4 g7g6 P@e5");
}

TEST_F(TXBoardProtocolFixture, ShogiMovesAreTranslatedBothWays) {
    FEngine.FLegalMoves = {"7g7f", "3c3d", "8h2b+"};
    Run("variant shogi");
    Run("st 1");
    Run("force");
    EXPECT_EQ(Run("usermove c3c4"), TLines{});
    EXPECT_EQ(FEngine.FPlayed, TLines{"7g7f"});
    EXPECT_EQ(Run("usermove g7g7"), TLines{"Illegal move: g7g7"});
    FEngine.FContinuation = {"8h2b+"};
    Run("go");
    EXPECT_EQ(Run("hint"), TLines{"Hint: b2h8+"});
    Run("force");
    Run("undo");
    FEngine.FContinuation.clear();
    Run("exclude g7g6");
    const TLines lines = Run("go");
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_TRUE(lines[0].ends_with(" b2h8+")) << lines[0];
    EXPECT_EQ(lines[1], "move b2h8+");
}
