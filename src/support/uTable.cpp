#include "support/uTable.h"

#include "support/uTextHelpers.h"

#include <algorithm>

void TTextLines::SetText(std::string_view AText) {
    FLines.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t eol = AText.find('\n', start);
        std::string line(AText.substr(start, eol == std::string_view::npos ? std::string_view::npos
                                                                           : eol - start));
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        FLines.push_back(ReplaceAll(line, "\t", "        "));
        if (eol == std::string_view::npos)
            break;
        start = eol + 1;
    }
}

std::string TTextLines::GetText() const {
    std::string text;
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += FLines[i];
    }
    return text;
}

int TTextLines::GetMaximalLineLength() const {
    std::size_t longest = 0;
    for (const auto& line : FLines)
        longest = std::max(longest, Utf8Length(line));
    return static_cast<int>(longest);
}

std::string TTextLines::GetLineString(int AIndex) const {
    if (AIndex < 0 || AIndex >= LineCount())
        return {};
    return FLines[static_cast<std::size_t>(AIndex)];
}

std::string TTextLines::GetLineString(TVerticalAlignment AVerticalAlignment, int ALineIndex,
                                      int ALineCount) const {
    const int n = LineCount();
    switch (AVerticalAlignment) {
    case vaTop:
        return GetLineString(ALineIndex);
    case vaCenter:
        return GetLineString(ALineIndex - (ALineCount - n) / 2);
    case vaBottom:
        return GetLineString(ALineIndex + n - ALineCount);
    }
    return {};
}

namespace {

bool IsWrapDelimiter(char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == '\v' || c == '\r' || c == ' ';
}

// Splits one line before the first word (not the first) that ends beyond AMaxWidth columns.
// Returns false when the line fits or cannot be split.
bool SplitOnce(const std::string& ALine, int AMaxWidth, std::string& AHead, std::string& ATail) {
    std::size_t wordStart = 0;
    std::size_t column = 0; // code points before wordStart
    bool        firstWord = true;
    while (true) {
        std::size_t wordEnd = wordStart;
        while (wordEnd < ALine.size() && !IsWrapDelimiter(ALine[wordEnd]))
            ++wordEnd;
        const std::size_t endColumn =
            column + Utf8Length(std::string_view(ALine).substr(wordStart, wordEnd - wordStart));
        if (endColumn > static_cast<std::size_t>(AMaxWidth) && !firstWord) {
            // Cut before the delimiter that precedes this word; the delimiter is dropped.
            AHead = ALine.substr(0, wordStart - 1);
            ATail = ALine.substr(wordStart);
            return true;
        }
        if (wordEnd >= ALine.size())
            return false;
        firstWord = false;
        column = endColumn + 1;
        wordStart = wordEnd + 1;
    }
}

} // namespace

void TTextLines::WordWrap(int AMaxWidth) {
    std::vector<std::string> wrapped;
    for (const auto& line : FLines) {
        std::string rest = line;
        std::string head;
        std::string tail;
        while (SplitOnce(rest, AMaxWidth, head, tail)) {
            wrapped.push_back(head);
            rest = tail;
        }
        wrapped.push_back(rest);
    }
    FLines = std::move(wrapped);
}

TCell::TCell(std::string_view AText, TConsoleColor ATextColor) : FTextColor(ATextColor) {
    FTextLines.SetText(AText);
}

TRow::TRow(int AColumnCount) {
    for (int i = 0; i < AColumnCount; ++i)
        FColumns.push_back(std::make_unique<TCell>());
}

void TRow::SetCell(int AIndex, std::unique_ptr<TCell> ACell) {
    FColumns.at(static_cast<std::size_t>(AIndex)) = std::move(ACell);
}

int TRow::GetHeight() const {
    int height = 0;
    for (const auto& cell : FColumns)
        height = std::max(height, cell->TextLines().LineCount());
    return height;
}

void TTable::AddHeaderRow(const TRow& ARow) {
    FColumns.clear();
    for (int i = 0; i < ARow.GetColumnCount(); ++i) {
        TColumn column;
        column.Caption = ARow.GetCell(i).GetText();
        FColumns.push_back(column);
    }
}

void TTable::AddHeader(const std::vector<std::string>& ACaptions) {
    TRow row(static_cast<int>(ACaptions.size()));
    for (std::size_t i = 0; i < ACaptions.size(); ++i)
        row.GetCell(static_cast<int>(i)).SetText(ACaptions[i]);
    AddHeaderRow(row);
}

void TTable::AddRow(std::shared_ptr<TRow> ARow) {
    FData.push_back(std::move(ARow));
}

TRow& TTable::AddRow(const std::vector<std::string>& ATexts, TConsoleColor AColor) {
    auto row = std::make_shared<TRow>(static_cast<int>(ATexts.size()));
    for (std::size_t i = 0; i < ATexts.size(); ++i) {
        row->GetCell(static_cast<int>(i)).SetText(ATexts[i]);
        row->GetCell(static_cast<int>(i)).SetTextColor(AColor);
    }
    FData.push_back(row);
    return *FData.back();
}
