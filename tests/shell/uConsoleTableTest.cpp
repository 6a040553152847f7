#include "shell/uConsoleTable.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::vector<TCell>> Rows(const std::vector<std::vector<std::string>>& ATexts) {
    std::vector<std::vector<TCell>> rows;
    for (const auto& texts : ATexts) {
        std::vector<TCell> row;
        for (const auto& text : texts)
            row.emplace_back(text);
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(TConsoleTable, ShrinksTheWidestColumnLeftmostFirst) {
    // 6 + 6 + 3 borders = 15; a console of 14 columns allows 13.
    auto rows = Rows({{"abcdef", "ghijkl"}});
    EXPECT_EQ(TConsoleTable::LayOut(rows, 14), (std::vector<int>{5, 5}));
    auto uneven = Rows({{"abcdefgh", "ab"}});
    EXPECT_EQ(TConsoleTable::LayOut(uneven, 10), (std::vector<int>{4, 2}));
}

TEST(TConsoleTable, WrapsCellsToTheirColumns) {
    auto       rows = Rows({{"Name", "one two three"}});
    const auto widths = TConsoleTable::LayOut(rows, 16);
    EXPECT_EQ(widths, (std::vector<int>{4, 7}));
    EXPECT_EQ(rows[0][1].TextLines().Lines(), (std::vector<std::string>{"one two", "three"}));
}

TEST(TConsoleTable, NarrowConsolesKeepOneCharacterPerColumn) {
    auto rows = Rows({{"alpha", "beta", "gamma"}});
    EXPECT_EQ(TConsoleTable::LayOut(rows, 3), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(TConsoleTable::LayOut(rows, 0), (std::vector<int>{1, 1, 1}));
}

TEST(TConsoleTable, RedirectedWidthFitsLinesInto255Characters) {
    auto       rows = Rows({{std::string(200, 'x'), std::string(200, 'y')}});
    const auto widths = TConsoleTable::LayOut(rows, 256);
    EXPECT_EQ(widths[0] + widths[1] + 3, 255);
}

TEST(TTextLines, WordWrapBreaksBeforeTheFirstWordBeyondTheWidth) {
    struct TCase {
        const char*              Text;
        int                      Width;
        std::vector<std::string> Lines;
    };
    const TCase Cases[] = {
        {"aaa bbb ccc", 7, {"aaa bbb", "ccc"}},
        {"aaa bbb ccc", 3, {"aaa", "bbb", "ccc"}},
        {"verylongword x", 4, {"verylongword", "x"}},
        {"a  b", 2, {"a ", "b"}},
        {"fits", 10, {"fits"}},
    };
    for (const auto& c : Cases) {
        TTextLines lines;
        lines.SetText(c.Text);
        lines.WordWrap(c.Width);
        EXPECT_EQ(lines.Lines(), c.Lines) << c.Text << " / " << c.Width;
    }
}

TEST(TTextLines, SplitsAtLineFeedsAndWidensTabs) {
    TTextLines lines;
    lines.SetText("a\tb\r\nsecond\r\r\n");
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"a        b", "second", ""}));
    EXPECT_EQ(lines.GetText(), "a        b\r\nsecond\r\n");
    EXPECT_EQ(lines.GetMaximalLineLength(), 10);
}

TEST(TTextLines, VerticalAlignmentPicksTheShownLine) {
    TTextLines lines;
    lines.SetText("x\ny");
    // Two lines in a row four lines high.
    const std::vector<std::string> top = {"x", "y", "", ""};
    const std::vector<std::string> center = {"", "x", "y", ""};
    const std::vector<std::string> bottom = {"", "", "x", "y"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines.GetLineString(vaTop, i, 4), top[static_cast<std::size_t>(i)]);
        EXPECT_EQ(lines.GetLineString(vaCenter, i, 4), center[static_cast<std::size_t>(i)]);
        EXPECT_EQ(lines.GetLineString(vaBottom, i, 4), bottom[static_cast<std::size_t>(i)]);
    }
}
