#pragma once

#include "support/uConsoleColor.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Lines of a cell: split at LF, trailing CRs removed, tabs widened to eight spaces.
class TTextLines final {
public:
    void SetText(std::string_view AText);
    // Lines joined with CR LF.
    std::string GetText() const;
    int         GetMaximalLineLength() const;
    int         LineCount() const { return static_cast<int>(FLines.size()); }
    std::string GetLineString(int AIndex) const;
    // The line shown at display line ALineIndex of a row ALineCount lines high.
    std::string GetLineString(TVerticalAlignment AVerticalAlignment, int ALineIndex,
                              int ALineCount) const;
    // Breaks lines before the first word that ends beyond AMaxWidth; a longer word stays whole.
    void                            WordWrap(int AMaxWidth);
    const std::vector<std::string>& Lines() const { return FLines; }

private:
    std::vector<std::string> FLines;
};

class TCell final {
public:
    TCell() = default;
    explicit TCell(std::string_view AText, TConsoleColor ATextColor = ccLightGray);
    void                 SetText(std::string_view AText) { FTextLines.SetText(AText); }
    std::string          GetText() const { return FTextLines.GetText(); }
    TConsoleColor        TextColor() const { return FTextColor; }
    void                 SetTextColor(TConsoleColor AColor) { FTextColor = AColor; }
    THorizontalAlignment HorizontalAlignment() const { return FHorizontalAlignment; }
    TVerticalAlignment   VerticalAlignment() const { return FVerticalAlignment; }
    void SetHorizontalAlignment(THorizontalAlignment AValue) { FHorizontalAlignment = AValue; }
    void SetVerticalAlignment(TVerticalAlignment AValue) { FVerticalAlignment = AValue; }
    TTextLines&       TextLines() { return FTextLines; }
    const TTextLines& TextLines() const { return FTextLines; }

private:
    THorizontalAlignment FHorizontalAlignment = haLeft;
    TVerticalAlignment   FVerticalAlignment = vaTop;
    TConsoleColor        FTextColor = ccLightGray;
    TTextLines           FTextLines;
};

// A row owns a fixed number of cells, all created empty.
class TRow final {
public:
    explicit TRow(int AColumnCount);
    TCell&       GetCell(int AIndex) { return *FColumns.at(static_cast<std::size_t>(AIndex)); }
    const TCell& GetCell(int AIndex) const {
        return *FColumns.at(static_cast<std::size_t>(AIndex));
    }
    void SetCell(int AIndex, std::unique_ptr<TCell> ACell);
    int  GetColumnCount() const { return static_cast<int>(FColumns.size()); }
    // The largest line count of its cells.
    int GetHeight() const;

private:
    std::vector<std::unique_ptr<TCell>> FColumns;
};

struct TColumn {
    std::string          Caption;
    THorizontalAlignment Alignment = haLeft;
    int                  Width = 0;
    int                  MaximalWidth = 0;
    int                  RealWidth = 0;
    bool                 Visible = true;
};

class TTable final {
public:
    // One column per cell of the row; only the cell texts become captions.
    void AddHeaderRow(const TRow& ARow);
    void AddHeader(const std::vector<std::string>& ACaptions);
    void AddRow(std::shared_ptr<TRow> ARow);
    // A row of plain cells in one colour.
    TRow& AddRow(const std::vector<std::string>& ATexts, TConsoleColor AColor = ccLightGray);
    int   GetRowCount() const { return static_cast<int>(FData.size()); }
    int   GetColumnCount() const { return static_cast<int>(FColumns.size()); }
    const std::vector<TColumn>&               Columns() const { return FColumns; }
    const std::vector<std::shared_ptr<TRow>>& Rows() const { return FData; }
    const std::string&                        Caption() const { return FCaption; }
    void SetCaption(std::string_view ACaption) { FCaption = ACaption; }

private:
    std::string                        FCaption;
    std::vector<TColumn>               FColumns;
    std::vector<std::shared_ptr<TRow>> FData;
};
