#pragma once

#include <bit>
#include <cstdint>

// Sets of the 64 cells of an 8 x 8 board, one bit per cell: bit x + 8 y for column x and row y
// (row 0 on the first player's side). The counting of perft's last ply works on these, taken
// from the squared board when a count starts; the board itself stays the position's only record.
using TBitboard = std::uint64_t;

namespace ChessBitboards {

struct TTables {
    TBitboard Knight[64];
    TBitboard King[64];
    // The cells a pawn of the side attacks from a cell.
    TBitboard PawnAttacks[2][64];
    // The column and the two diagonals through a cell, the cell itself left out.
    TBitboard File[64];
    TBitboard Diagonal[64];
    TBitboard AntiDiagonal[64];
    // Along one row, by column and by the occupancy of the six inner cells of the row.
    std::uint8_t RankAttacks[8][64];
};

namespace Detail {

constexpr bool OnBoard(int AX, int AY) {
    return AX >= 0 && AX < 8 && AY >= 0 && AY < 8;
}

constexpr TBitboard Bit(int AX, int AY) {
    return TBitboard{1} << (AX + 8 * AY);
}

// The cells reached by single steps of (ADx, ADy) from the cell, each step listed.
constexpr TBitboard Steps(int AX, int AY, const int (*ASteps)[2], int ACount) {
    TBitboard result = 0;
    for (int i = 0; i < ACount; ++i)
        if (OnBoard(AX + ASteps[i][0], AY + ASteps[i][1]))
            result |= Bit(AX + ASteps[i][0], AY + ASteps[i][1]);
    return result;
}

// The cells along (ADx, ADy) and its opposite, the cell left out.
constexpr TBitboard Ray(int AX, int AY, int ADx, int ADy) {
    TBitboard result = 0;
    for (int sign = 1; sign >= -1; sign -= 2)
        for (int x = AX + sign * ADx, y = AY + sign * ADy; OnBoard(x, y);
             x += sign * ADx, y += sign * ADy)
            result |= Bit(x, y);
    return result;
}

constexpr TTables BuildTables() {
    constexpr int KnightSteps[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                       {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    constexpr int KingSteps[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                     {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    constexpr int FirstPawn[2][2] = {{-1, 1}, {1, 1}};
    constexpr int SecondPawn[2][2] = {{-1, -1}, {1, -1}};
    TTables       result{};
    for (int cell = 0; cell < 64; ++cell) {
        const int x = cell & 7;
        const int y = cell >> 3;
        result.Knight[cell] = Steps(x, y, KnightSteps, 8);
        result.King[cell] = Steps(x, y, KingSteps, 8);
        result.PawnAttacks[0][cell] = Steps(x, y, FirstPawn, 2);
        result.PawnAttacks[1][cell] = Steps(x, y, SecondPawn, 2);
        result.File[cell] = Ray(x, y, 0, 1);
        result.Diagonal[cell] = Ray(x, y, 1, 1);
        result.AntiDiagonal[cell] = Ray(x, y, 1, -1);
    }
    for (int x = 0; x < 8; ++x)
        for (int inner = 0; inner < 64; ++inner) {
            const int    occupied = inner << 1;
            std::uint8_t reach = 0;
            for (int c = x + 1; c < 8; ++c) {
                reach |= static_cast<std::uint8_t>(1u << c);
                if ((occupied >> c) & 1)
                    break;
            }
            for (int c = x - 1; c >= 0; --c) {
                reach |= static_cast<std::uint8_t>(1u << c);
                if ((occupied >> c) & 1)
                    break;
            }
            result.RankAttacks[x][inner] = reach;
        }
    return result;
}

} // namespace Detail

// Built by the compiler: no start-up work, and no guard on the hot path.
inline constexpr TTables BitTables = Detail::BuildTables();

inline const TTables& Tables() {
    return BitTables;
}

// A slider's reach along one line through ACell: the difference trick, once forwards and once on
// the byte-reversed board (which turns columns and diagonals around), so that the first piece in
// each direction ends the reach.
inline TBitboard LineAttacks(TBitboard AOccupied, TBitboard AMask, int ACell) {
    const TBitboard cell = TBitboard{1} << ACell;
    TBitboard       forward = AOccupied & AMask;
    TBitboard       reverse = __builtin_bswap64(forward);
    forward -= cell;
    reverse -= __builtin_bswap64(cell);
    return (forward ^ __builtin_bswap64(reverse)) & AMask;
}

inline TBitboard RankAttacks(const TTables& ATables, TBitboard AOccupied, int ACell) {
    const int row = ACell & 56;
    const int inner = static_cast<int>((AOccupied >> (row + 1)) & 63);
    return TBitboard{ATables.RankAttacks[ACell & 7][inner]} << row;
}

inline TBitboard BishopAttacks(const TTables& ATables, TBitboard AOccupied, int ACell) {
    return LineAttacks(AOccupied, ATables.Diagonal[ACell], ACell) |
           LineAttacks(AOccupied, ATables.AntiDiagonal[ACell], ACell);
}

inline TBitboard RookAttacks(const TTables& ATables, TBitboard AOccupied, int ACell) {
    return LineAttacks(AOccupied, ATables.File[ACell], ACell) |
           RankAttacks(ATables, AOccupied, ACell);
}

// The whole line through two cells of one row, column or diagonal (both cells included); 0 when
// they share none.
TBitboard LineThrough(int ACell, int AOther);

inline int PopCount(TBitboard ABits) {
    return std::popcount(ABits);
}

} // namespace ChessBitboards
