#include "games/chess/uSquaredBoard.h"

#include "support/uExceptions.h"

#include <algorithm>
#include <cstdlib>

TSquaredBoard::TSquaredBoard() {
    FSquares.fill(OffBoard);
}

void TSquaredBoard::SetSize(int AWidth, int AHeight) {
    if (AWidth == FSqXC && AHeight == FSqYC)
        return;
    if (AWidth < 1 || AHeight < 1)
        throw EConvertError("Invalid board size");
    const int stride = AWidth + 2;
    const int start = 2 * AWidth + 5;
    const int end = start + (AWidth - 1) + (AHeight - 1) * stride;
    if (end > MaxCellIndex)
        throw EConvertError("Board too large");
    FSqXC = AWidth;
    FSqYC = AHeight;
    FSqX = AWidth - 1;
    FSqY = AHeight - 1;
    FSqXC2 = stride;
    FStP = start;
    FEnP = end;
    FSquares.fill(OffBoard);
    FIToXY.fill(TXY{0, 0});
    FUsedSquareCount = 0;
    for (int y = FSqY; y >= 0; --y) {
        for (int c = 0; c < AWidth; ++c) {
            int x = c;
            if (FSymmetryType == stLineSymmetry) {
                const int b = y < AHeight / 2 ? c : FSqX - c;
                const int h = FSqX / 2;
                x = (b % 2 == 1) ? h + (b + 1) / 2 : h - b / 2;
            }
            const int i = XYToI(x, y);
            FUsedSquares[FUsedSquareCount++] = static_cast<std::uint8_t>(i);
            FIToXY[i] = TXY{x, y};
        }
    }
}

int TSquaredBoard::XYToIChecked(int X, int Y) const {
    if (X < 0 || X > FSqX)
        throw EConvertError("Invalid coordinate x value: " + std::to_string(X));
    if (Y < 0 || Y > FSqY)
        throw EConvertError("Invalid coordinate y value: " + std::to_string(Y));
    return XYToI(X, Y);
}

void TSquaredBoard::SquareToXYString(int ASquare, std::string& AColumn, std::string& ARow) const {
    const int x = X(ASquare);
    const int y = Y(ASquare);
    AColumn.clear();
    ARow.clear();
    switch (FNotation) {
    case ntChess:
        AColumn = std::string(1, static_cast<char>('a' + x));
        ARow = std::to_string(y + 1);
        break;
    case ntOthello:
        AColumn = std::string(1, static_cast<char>('a' + x));
        ARow = std::to_string(FSqYC - y);
        break;
    case ntShogi:
        AColumn = std::to_string(x + 1);
        ARow = std::string(1, static_cast<char>('a' + y));
        break;
    case ntDraughts:
        AColumn = std::to_string(x / 2 + ((FSqY - y) * FSqXC) / 2 + 1);
        break;
    case ntDraughtsSwapped:
        AColumn = std::to_string((FSqX - x) / 2 + (y * FSqXC) / 2 + 1);
        break;
    case ntTechnical:
        AColumn = std::to_string(ASquare);
        break;
    }
}

std::string TSquaredBoard::SquareToString(int ASquare) const {
    std::string column;
    std::string row;
    SquareToXYString(ASquare, column, row);
    return column + row;
}

namespace {

int ReadLetter(std::string_view AText, std::size_t& AIndex) {
    if (AIndex >= AText.size())
        throw EConvertError("Square too short");
    return AText[AIndex++] - 'a';
}

// Spaces and tabs, any signs, then decimal digits (0 when there are none). Values are capped so
// that a long digit run cannot overflow; any capped value is out of range anyway.
int ReadNumber(std::string_view AText, std::size_t& AIndex) {
    if (AIndex >= AText.size())
        throw EConvertError("Square too short");
    while (AIndex < AText.size() && (AText[AIndex] == ' ' || AText[AIndex] == '\t'))
        ++AIndex;
    bool negative = false;
    while (AIndex < AText.size() && (AText[AIndex] == '+' || AText[AIndex] == '-')) {
        if (AText[AIndex] == '-')
            negative = !negative;
        ++AIndex;
    }
    int value = 0;
    while (AIndex < AText.size() && AText[AIndex] >= '0' && AText[AIndex] <= '9') {
        value = std::min(value * 10 + (AText[AIndex] - '0'), 1000000);
        ++AIndex;
    }
    return negative ? -value : value;
}

} // namespace

int TSquaredBoard::StringToSquare(std::string_view ASquare, std::size_t& AIndex) const {
    int x = 0;
    int y = 0;
    switch (FNotation) {
    case ntChess:
        x = ReadLetter(ASquare, AIndex);
        y = ReadNumber(ASquare, AIndex) - 1;
        break;
    case ntOthello:
        x = ReadLetter(ASquare, AIndex);
        y = FSqYC - ReadNumber(ASquare, AIndex);
        break;
    case ntShogi:
        x = ReadNumber(ASquare, AIndex) - 1;
        y = ReadLetter(ASquare, AIndex);
        break;
    case ntTechnical:
        return ReadNumber(ASquare, AIndex);
    default:
        throw EArgumentException("Invalid notation.");
    }
    return XYToIChecked(x, y);
}

void TSquaredBoard::CreateSymmetricBoard() {
    for (int i = 0; i < FUsedSquareCount; ++i) {
        const int s = FUsedSquares[i];
        const int m = FUsedSquares[FUsedSquareCount - 1 - i];
        if (s == m)
            FSquares[s] = 0;
        else if (FSquares[s] != 0)
            FSquares[m] =
                FSquares[s] == OffBoard ? OffBoard : static_cast<std::int8_t>(-FSquares[s]);
    }
}

void TSquaredBoard::CopyBoard(const TSquaredBoard& SB, TSquaredBoard& DB) {
    std::copy(SB.FSquares.begin() + SB.FStP, SB.FSquares.begin() + SB.FEnP + 1,
              DB.FSquares.begin() + SB.FStP);
}

bool TSquaredBoard::CompareBoard(const TSquaredBoard& B1, const TSquaredBoard& B2) {
    return std::equal(B1.FSquares.begin() + B1.FStP, B1.FSquares.begin() + B1.FEnP + 1,
                      B2.FSquares.begin() + B1.FStP);
}

bool TSquaredBoard::CompareFullBoard(const TSquaredBoard& B1, const TSquaredBoard& B2) {
    return std::equal(B1.FSquares.begin(), B1.FSquares.begin() + 128, B2.FSquares.begin());
}

void TSquaredBoard::ClearFirstRow() {
    for (int x = 0; x <= FSqX; ++x) {
        FSquares[XYToI(x, 0)] = 0;
        FSquares[XYToI(x, FSqY)] = 0;
    }
}

int TSquaredBoard::FreeSquares() const {
    int count = 0;
    for (int i = 0; i < FUsedSquareCount; ++i)
        count += FSquares[FUsedSquares[i]] == 0;
    return count;
}

TRelativePosition TSquaredBoard::RelativeHVPosition(int ASourceSquare, int ATargetSquare) const {
    if (X(ASourceSquare) == X(ATargetSquare))
        return Y(ATargetSquare) >= Y(ASourceSquare) ? rpBottom : rpTop;
    if (Y(ASourceSquare) == Y(ATargetSquare))
        return X(ATargetSquare) > X(ASourceSquare) ? rpRight : rpLeft;
    return rpNone;
}

TRelativePosition TSquaredBoard::RelativeDiagonalPosition(int ASourceSquare,
                                                          int ATargetSquare) const {
    const int dx = X(ATargetSquare) - X(ASourceSquare);
    const int dy = Y(ATargetSquare) - Y(ASourceSquare);
    if (dy == dx)
        return dx < 0 ? rpTopLeft : rpBottomRight;
    if (dx == -dy)
        return dx < 0 ? rpBottomLeft : rpTopRight;
    return rpNone;
}

TRelativePosition TSquaredBoard::RelativePosition(int ASourceSquare, int ATargetSquare) const {
    const TRelativePosition result = RelativeHVPosition(ASourceSquare, ATargetSquare);
    return result != rpNone ? result : RelativeDiagonalPosition(ASourceSquare, ATargetSquare);
}
