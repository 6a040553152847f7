#include "games/uBoardDiagram.h"

#include "games/uGameTestHelpers.h"

#include <gtest/gtest.h>

// Labels on all four sides, three lines per rank with the piece in the middle line, a blank
// line around the file labels, the footer last; all inside one drawing.
TEST(WriteBoardDiagram, LaysOutLabelsCellsAndFooter) {
    TBoardDiagram diagram;
    diagram.FileLabels = {"a", "b"};
    diagram.RankLabels = {"2", "1"};
    diagram.Cells = {{"K", true}, {}, {}, {"+P", false}};
    diagram.Footer = "below";
    TTextSink sink;
    WriteBoardDiagram(sink, diagram);
    const std::vector<std::string> expected = {
        "",
        "       a    b  ",
        "",
        "                    ",
        "  2    K         2  ",
        "                    ",
        "                    ",
        "  1        +P    1  ",
        "                    ",
        "",
        "       a    b  ",
        "",
        "below",
    };
    EXPECT_EQ(sink.Lines, expected);
    EXPECT_EQ(sink.Drawings, 1);
    EXPECT_TRUE(sink.Balanced());
}

// The bottom-left square is dark and the shades alternate; a first player's piece is black on
// white, the second player's white on black.
TEST(WriteBoardDiagram, ShadesSquaresAndColoursPiecesByOwner) {
    TBoardDiagram diagram;
    diagram.FileLabels = {"a", "b"};
    diagram.RankLabels = {"2", "1"};
    diagram.Cells = {{}, {"k", false}, {"Q", true}, {}};
    TTextSink sink;
    WriteBoardDiagram(sink, diagram);
    std::vector<TConsoleColor> squares;
    for (const auto& piece : sink.Colored) {
        if (piece.Text == " Q ") {
            EXPECT_EQ(static_cast<int>(piece.Foreground), ccBlack);
            EXPECT_EQ(static_cast<int>(piece.Background), ccWhite);
        } else if (piece.Text == " k ") {
            EXPECT_EQ(static_cast<int>(piece.Foreground), ccWhite);
            EXPECT_EQ(static_cast<int>(piece.Background), ccBlack);
        } else if (piece.Text == "     " && piece.Foreground == ccBlack &&
                   piece.Background != ccBlack) {
            squares.push_back(piece.Background);
        }
    }
    // Empty cells, line by line from the top: a2 b2 (upper line), a2 (middle), a2 b2 (lower),
    // a1 b1 (upper), b1 (middle), a1 b1 (lower).
    ASSERT_EQ(squares.size(), 10u);
    EXPECT_EQ(static_cast<int>(squares[0]), ccLightGray); // a2
    EXPECT_EQ(static_cast<int>(squares[1]), ccGray);      // b2
    EXPECT_EQ(static_cast<int>(squares[2]), ccLightGray); // a2
    EXPECT_EQ(static_cast<int>(squares[5]), ccGray);      // a1, bottom left
    EXPECT_EQ(static_cast<int>(squares[7]), ccLightGray); // b1
}

// A chess board reads with files a.. and ranks counted from the bottom.
TEST(TChessPosition, DrawsTheBoardWithChessCoordinates) {
    TTestGame game = MakeGame("chess", "4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    TTextSink sink;
    game.Position->WriteToConsole(sink);
    ASSERT_EQ(sink.Lines.size(), 31u);
    EXPECT_EQ(sink.Lines[1], "       a    b    c    d    e    f    g    h  ");
    EXPECT_EQ(sink.Lines[4].substr(0, 5), "  8  ");
    EXPECT_EQ(sink.Lines[4].substr(25, 5), "  k  ");
    EXPECT_EQ(sink.Lines[25], "  1    R                   K                   1  ");
    EXPECT_EQ(sink.Lines.back(), "Captured Pieces: ");
    EXPECT_TRUE(sink.Balanced());
}
