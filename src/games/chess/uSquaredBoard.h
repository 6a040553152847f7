#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum TSymmetryType : std::uint8_t { stPointSymmetry, stLineSymmetry };
enum TNotation : std::uint8_t {
    ntChess,
    ntOthello,
    ntShogi,
    ntDraughts,
    ntDraughtsSwapped,
    ntTechnical
};
// "Top" means towards smaller Y (index - stride), "bottom" towards larger Y.
enum TRelativePosition : std::uint8_t {
    rpNone,
    rpLeft,
    rpRight,
    rpTop,
    rpBottom,
    rpTopLeft,
    rpTopRight,
    rpBottomLeft,
    rpBottomRight
};

// The rectangular board of every game: a padded one-dimensional cell array (mailbox) framed by
// two border rows below and above and one border column on each side, so that every knight jump
// and every ray from a playing cell ends on an off-board cell (127) inside the array. Cell
// indexes of playing squares stay below 128, so they fit a move byte and the key tables.
class TSquaredBoard {
public:
    static constexpr std::int8_t OffBoard = 127;
    static constexpr int         MaxCellIndex = 127;
    // The array is fixed (copying a board is one memcpy); cells past the frame stay off-board.
    static constexpr int CellArraySize = 256;
    using TSquares = std::array<std::int8_t, CellArraySize>;
    struct TXY {
        std::int32_t X;
        std::int32_t Y;
    };

    TSquaredBoard();
    virtual ~TSquaredBoard() = default;

    // Resets every cell to off-board when the size changes; the caller then writes the playing
    // cells. A board whose last playing cell index would exceed 127 raises "Board too large".
    void SetSize(int AWidth, int AHeight);
    // Set before SetSize, which uses it.
    void          SetSymmetryType(TSymmetryType AValue) { FSymmetryType = AValue; }
    void          SetNotation(TNotation AValue) { FNotation = AValue; }
    TSymmetryType SymmetryType() const { return FSymmetryType; }
    TNotation     Notation() const { return FNotation; }

    int  XYToI(int X, int Y) const { return FStP + X + Y * FSqXC2; }
    int  XYToIChecked(int X, int Y) const;
    void IToXY(int I, int& X, int& Y) const {
        X = FIToXY[I].X;
        Y = FIToXY[I].Y;
    }
    int X(int I) const { return FIToXY[I].X; }
    int Y(int I) const { return FIToXY[I].Y; }

    virtual std::string SquareToString(int ASquare) const;
    // Reads a square name at AIndex (0-based) and advances past it.
    virtual int StringToSquare(std::string_view ASquare, std::size_t& AIndex) const;
    void        SquareToXYString(int ASquare, std::string& AColumn, std::string& ARow) const;

    // Completes a board whose first player's half is filled: the mirror cell of each piece gets
    // the negated piece; the centre cell of an odd board is emptied.
    void        CreateSymmetricBoard();
    static void CopyBoard(const TSquaredBoard& SB, TSquaredBoard& DB);
    static bool CompareBoard(const TSquaredBoard& B1, const TSquaredBoard& B2);
    static bool CompareFullBoard(const TSquaredBoard& B1, const TSquaredBoard& B2);
    // Empties the first and the last row.
    void ClearFirstRow();
    int  FreeSquares() const;
    bool PieceOnSquare(int Sq) const { return FSquares[Sq] != 0 && FSquares[Sq] != OffBoard; }

    TRelativePosition RelativeHVPosition(int ASourceSquare, int ATargetSquare) const;
    TRelativePosition RelativeDiagonalPosition(int ASourceSquare, int ATargetSquare) const;
    TRelativePosition RelativePosition(int ASourceSquare, int ATargetSquare) const;

    TSquares&       Squares() { return FSquares; }
    const TSquares& Squares() const { return FSquares; }
    std::int8_t&    operator[](int I) { return FSquares[I]; }
    std::int8_t     operator[](int I) const { return FSquares[I]; }
    int             SqX() const { return FSqX; }
    int             SqY() const { return FSqY; }
    int             SqXC() const { return FSqXC; }
    int             SqYC() const { return FSqYC; }
    int             SqXC2() const { return FSqXC2; }
    int             StP() const { return FStP; }
    int             EnP() const { return FEnP; }
    // Number of cells of the padded array (playing area and frame).
    int CellCount() const { return FEnP + FStP + 1; }
    int UsedSquareCount() const { return FUsedSquareCount; }
    // The playing squares in their significant order: rows from the top down; within a row
    // left to right (point symmetry) or from the centre outwards (line symmetry). Entries i and
    // count-1-i are mirror images. Move generation, key drawing and drops follow this order.
    const std::uint8_t* UsedSquares() const { return FUsedSquares.data(); }

protected:
    std::array<TXY, 128>          FIToXY{};
    TSymmetryType                 FSymmetryType = stPointSymmetry;
    TNotation                     FNotation = ntChess;
    TSquares                      FSquares{};
    int                           FSqX = -1;
    int                           FSqY = -1;
    int                           FSqXC = 0;
    int                           FSqYC = 0;
    int                           FSqXC2 = 2;
    int                           FStP = 0;
    int                           FEnP = 0;
    int                           FUsedSquareCount = 0;
    std::array<std::uint8_t, 128> FUsedSquares{};
};
