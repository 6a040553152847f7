#include "games/chess/uSquaredBoard.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TSquaredBoard MakeBoard(int AWidth, int AHeight, TSymmetryType ASymmetry,
                        TNotation ANotation = ntChess) {
    TSquaredBoard board;
    board.SetSymmetryType(ASymmetry);
    board.SetNotation(ANotation);
    board.SetSize(AWidth, AHeight);
    return board;
}

std::string Names(const TSquaredBoard& ABoard, int AFirst, int ACount) {
    std::string result;
    for (int i = AFirst; i < AFirst + ACount; ++i)
        result += ABoard.SquareToString(ABoard.UsedSquares()[i]) + " ";
    return result;
}

} // namespace

TEST(TSquaredBoard, PadsTheArrayAroundThePlayingArea) {
    const TSquaredBoard chess = MakeBoard(8, 8, stLineSymmetry);
    EXPECT_EQ(chess.XYToI(0, 0), 21);
    EXPECT_EQ(chess.XYToI(7, 0), 28);
    EXPECT_EQ(chess.XYToI(0, 7), 91);
    EXPECT_EQ(chess.XYToI(7, 7), 98);
    EXPECT_EQ(chess.CellCount(), 120);
    const TSquaredBoard shogi = MakeBoard(9, 9, stPointSymmetry, ntShogi);
    EXPECT_EQ(shogi.StP(), 23);
    EXPECT_EQ(shogi.EnP(), 119);
    EXPECT_EQ(shogi.CellCount(), 143);
    // Every knight jump from every playing cell lands inside the array on a cell that is either
    // playing or off the board.
    for (const TSquaredBoard* board : {&chess, &shogi}) {
        const int s = board->SqXC2();
        for (int i = 0; i < board->UsedSquareCount(); ++i)
            for (const int jump :
                 {2 * s + 1, 2 * s - 1, s + 2, s - 2, -s + 2, -s - 2, -2 * s + 1, -2 * s - 1}) {
                const int target = board->UsedSquares()[i] + jump;
                ASSERT_GE(target, 0);
                ASSERT_LT(target, board->CellCount());
            }
    }
}

TEST(TSquaredBoard, OrdersPlayingSquaresByItsSymmetry) {
    const TSquaredBoard line = MakeBoard(8, 8, stLineSymmetry);
    EXPECT_EQ(Names(line, 0, 8), "h8 a8 g8 b8 f8 c8 e8 d8 ");
    EXPECT_EQ(Names(line, 56, 8), "d1 e1 c1 f1 b1 g1 a1 h1 ");
    const TSquaredBoard point = MakeBoard(8, 8, stPointSymmetry);
    EXPECT_EQ(Names(point, 0, 3), "a8 b8 c8 ");
    EXPECT_EQ(Names(point, 61, 3), "f1 g1 h1 ");
    // Entry i and entry count-1-i are mirror images.
    for (const TSquaredBoard* board : {&line, &point}) {
        const int count = board->UsedSquareCount();
        for (int i = 0; i < count; ++i) {
            const int a = board->UsedSquares()[i];
            const int b = board->UsedSquares()[count - 1 - i];
            EXPECT_EQ(board->Y(a) + board->Y(b), board->SqY());
            if (board == &point)
                EXPECT_EQ(board->X(a) + board->X(b), board->SqX());
            else
                EXPECT_EQ(board->X(a), board->X(b));
        }
    }
}

TEST(TSquaredBoard, CompletesASymmetricBoard) {
    TSquaredBoard board = MakeBoard(3, 3, stPointSymmetry);
    for (int i = 0; i < board.UsedSquareCount(); ++i)
        board[board.UsedSquares()[i]] = 0;
    board[board.XYToI(0, 0)] = 4;
    board[board.XYToI(1, 1)] = 2; // the centre is emptied
    board[board.XYToI(2, 0)] = TSquaredBoard::OffBoard;
    board.CreateSymmetricBoard();
    EXPECT_EQ(board[board.XYToI(2, 2)], -4);
    EXPECT_EQ(board[board.XYToI(1, 1)], 0);
    EXPECT_EQ(board[board.XYToI(0, 2)], TSquaredBoard::OffBoard);
}

TEST(TSquaredBoard, WritesAndReadsSquareNamesInEachNotation) {
    struct TCase {
        TNotation   Notation;
        int         X;
        int         Y;
        const char* Name;
    };
    constexpr TCase Cases[] = {
        {ntChess, 4, 1, "e2"}, {ntOthello, 4, 1, "e8"}, {ntShogi, 6, 2, "7c"},
        {ntChess, 0, 8, "a9"}, {ntShogi, 0, 0, "1a"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        const TSquaredBoard board = MakeBoard(9, 9, stPointSymmetry, c.Notation);
        const int           cell = board.XYToI(c.X, c.Y);
        EXPECT_EQ(board.SquareToString(cell), c.Name);
        std::size_t index = 0;
        EXPECT_EQ(board.StringToSquare(c.Name, index), cell);
        EXPECT_EQ(index, std::string(c.Name).size());
    }
    const TSquaredBoard technical = MakeBoard(8, 8, stLineSymmetry, ntTechnical);
    EXPECT_EQ(technical.SquareToString(55), "55");
    std::size_t index = 0;
    EXPECT_EQ(technical.StringToSquare("  +55", index), 55);
}

TEST(TSquaredBoard, RejectsBadSquaresWithTheirMessages) {
    struct TCase {
        TNotation   Notation;
        const char* Text;
        const char* Message;
    };
    constexpr TCase Cases[] = {
        {ntChess, "", "Square too short"},
        {ntChess, "e", "Square too short"},
        {ntChess, "i1", "Invalid coordinate x value: 8"},
        {ntChess, "E1", "Invalid coordinate x value: -28"},
        {ntChess, "a9", "Invalid coordinate y value: 8"},
        {ntChess, "a", "Square too short"},
        {ntChess, "a99999999999999", "Invalid coordinate y value: 999999"},
        {ntShogi, "0a", "Invalid coordinate x value: -1"},
        {ntDraughts, "12", "Invalid notation."},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        const TSquaredBoard board = MakeBoard(8, 8, stLineSymmetry, c.Notation);
        std::size_t         index = 0;
        try {
            board.StringToSquare(c.Text, index);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    const TSquaredBoard board = MakeBoard(8, 8, stLineSymmetry);
    EXPECT_THROW(board.XYToIChecked(8, 0), EConvertError);
    EXPECT_EQ(board.XYToIChecked(7, 7), 98);
}

TEST(TSquaredBoard, RefusesBoardsWhoseCellsWouldPassIndex127) {
    TSquaredBoard board;
    EXPECT_NO_THROW(board.SetSize(9, 9));
    EXPECT_NO_THROW(board.SetSize(8, 10));
    EXPECT_THROW(board.SetSize(10, 10), EConvertError);
    EXPECT_THROW(board.SetSize(42, 1), EConvertError);
    EXPECT_EQ(board.SqXC(), 8) << "a refused size leaves the board as it was";
}

TEST(TSquaredBoard, FindsRelativePositions) {
    TSquaredBoard board = MakeBoard(8, 8, stLineSymmetry);
    for (int i = 0; i < board.UsedSquareCount(); ++i)
        board[board.UsedSquares()[i]] = 0;
    const int d4 = board.XYToI(3, 3);
    board[board.XYToI(3, 6)] = -5;
    EXPECT_EQ(board.RelativePosition(d4, board.XYToI(3, 6)), rpBottom)
        << "bottom is towards larger Y";
    EXPECT_EQ(board.RelativePosition(d4, board.XYToI(0, 3)), rpLeft);
    EXPECT_EQ(board.RelativePosition(d4, board.XYToI(5, 5)), rpBottomRight);
    EXPECT_EQ(board.RelativePosition(d4, board.XYToI(1, 5)), rpBottomLeft);
    EXPECT_EQ(board.RelativePosition(d4, board.XYToI(4, 5)), rpNone);
    EXPECT_EQ(board.FreeSquares(), 63);
}
