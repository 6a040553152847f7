#include "shell/uConsoleTable.h"

#include "shell/uCustomConsole.h"

#include <algorithm>
#include <mutex>

std::string TTableBorderDoubleLineSet::Get(TItemType AValue) const {
    static constexpr const char* Items[] = {"\u2550", "\u2551", "\u2560", "\u2563",
                                            "\u256C", "\u2554", "\u2566", "\u2557",
                                            "\u255A", "\u2569", "\u255D"};
    return Items[AValue];
}

std::string TTableBorderTextSet::Get(TItemType AValue) const {
    switch (AValue) {
    case itHorizontal:
        return "-";
    case itVertical:
        return "|";
    default:
        return "+";
    }
}

TConsoleTable::TConsoleTable(TCustomConsole& AConsole, const TTable& ATable)
    : FConsole(AConsole), FTable(ATable) {
    if (AConsole.UsesUnicode())
        FTableBorderSet = std::make_unique<TTableBorderDoubleLineSet>();
    else
        FTableBorderSet = std::make_unique<TTableBorderTextSet>();
}

namespace {

std::vector<int> MeasureColumns(const std::vector<std::vector<TCell>>& ARows, std::size_t ACount) {
    std::vector<int> widths(ACount, 0);
    for (const auto& row : ARows)
        for (std::size_t c = 0; c < ACount && c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].TextLines().GetMaximalLineLength());
    return widths;
}

// Shrinks the widest column (the leftmost of equals) until the table fits, never below one
// character per column: on a very narrow terminal the lines then wrap, but nothing breaks.
void FitColumns(std::vector<int>& AWidths, int AConsoleWidth) {
    auto lineLength = [&] {
        long total = static_cast<long>(AWidths.size()) + 1;
        for (const int width : AWidths)
            total += width;
        return total;
    };
    while (lineLength() > AConsoleWidth - 1) {
        auto widest = std::max_element(AWidths.begin(), AWidths.end());
        if (widest == AWidths.end() || *widest <= 1)
            break;
        --*widest;
    }
    for (int& width : AWidths)
        width = std::max(width, 1);
}

} // namespace

std::vector<int> TConsoleTable::LayOut(std::vector<std::vector<TCell>>& ARows, int AConsoleWidth) {
    const std::size_t count = ARows.empty() ? 0 : ARows.front().size();
    std::vector<int>  widths = MeasureColumns(ARows, count);
    FitColumns(widths, AConsoleWidth);
    for (auto& row : ARows)
        for (std::size_t c = 0; c < count && c < row.size(); ++c)
            row[c].TextLines().WordWrap(widths[c]);
    widths = MeasureColumns(ARows, count);
    FitColumns(widths, AConsoleWidth);
    return widths;
}

void TConsoleTable::WriteToConsole() {
    const std::size_t count = static_cast<std::size_t>(FTable.GetColumnCount());
    if (count == 0)
        return;
    // Work on copies: wrapping changes the cells.
    std::vector<std::vector<TCell>> rows;
    std::vector<TCell>              header;
    for (const auto& column : FTable.Columns())
        header.emplace_back(column.Caption, ccBlack);
    rows.push_back(std::move(header));
    for (const auto& row : FTable.Rows()) {
        std::vector<TCell> cells;
        for (std::size_t c = 0; c < count; ++c)
            cells.push_back(static_cast<int>(c) < row->GetColumnCount()
                                ? row->GetCell(static_cast<int>(c))
                                : TCell());
        rows.push_back(std::move(cells));
    }
    int consoleWidth = 0;
    int consoleHeight = 0;
    FConsole.GetSize(consoleWidth, consoleHeight);
    const std::vector<int> widths = LayOut(rows, consoleWidth);

    const TTableBorderSet& border = *FTableBorderSet;
    std::scoped_lock       lock(FConsole.Lock());
    auto                   borderLine = [&](TItemType ALeft, TItemType ACross, TItemType ARight,
                          TConsoleColor ABackground) {
        std::string line = border.Get(ALeft);
        for (std::size_t c = 0; c < count; ++c) {
            for (int i = 0; i < widths[c]; ++i)
                line += border.Get(itHorizontal);
            line += border.Get(c + 1 < count ? ACross : ARight);
        }
        FConsole.WritePart(line, ccWhite, ABackground);
        FConsole.EndLine();
    };
    borderLine(itDownAndRight, itDownAndHorizontal, itDownAndLeft, ccGray);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const TConsoleColor background = r == 0 ? ccGray : ccBlack;
        int                 height = 0;
        for (const auto& cell : rows[r])
            height = std::max(height, cell.TextLines().LineCount());
        for (int line = 0; line < height; ++line) {
            FConsole.WritePart(border.Get(itVertical), ccWhite, background);
            for (std::size_t c = 0; c < count; ++c) {
                const TCell& cell = rows[r][c];
                FConsole.WriteAlignedPart(
                    cell.TextLines().GetLineString(cell.VerticalAlignment(), line, height),
                    widths[c], cell.HorizontalAlignment(), cell.TextColor(), background);
                FConsole.WritePart(border.Get(itVertical), ccWhite, background);
            }
            FConsole.EndLine();
        }
        if (r + 1 < rows.size())
            borderLine(itVerticalAndRight, itVerticalAndHorizontal, itVerticalAndLeft, background);
    }
    borderLine(itUpAndRight, itUpAndHorizontal, itUpAndLeft, ccBlack);
}
