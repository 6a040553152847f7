// Counting the legal moves of a plain chess position without listing them: perft's last ply.
// The squared board is read into bit sets (a handful of vector compares per pair of rows), and
// the moves of each piece are counted from those, with the pins and the king's safety looked up
// from the king. Positions with a check to answer go to the general generator, which lists and
// counts them; so does anything but exactly one king of the side to move.
#include "games/chess/uChessBitboards.h"
#include "games/chess/uChessMoveGenerator.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSSE3__)
#include <tmmintrin.h>
#endif

namespace {

using namespace ChessBitboards;

constexpr TBitboard FileA = 0x0101010101010101ULL;
constexpr TBitboard FileH = FileA << 7;

[[gnu::always_inline]] inline int LowestBit(TBitboard ABits) {
    return std::countr_zero(ABits);
}

#if defined(__SSE2__)
[[gnu::always_inline]] inline TBitboard Mask16(__m128i AEqual, int AShift) {
    return TBitboard{static_cast<std::uint16_t>(_mm_movemask_epi8(AEqual))} << AShift;
}
#endif

} // namespace

// The pieces of both sides as bit sets.
struct TChessMoveGenerator::TBoardSets {
    TBitboard Occupied = 0;
    TBitboard Second = 0; // the second player's pieces
    TBitboard Types[7]{}; // by piece code 1..6, both sides
};

void TChessMoveGenerator::InitializeBitboardCount() {
    const TChessBoard& board = FChessPosition->Board();
    FBitboardCount = false;
    if (board.SqXC() != 8 || board.SqYC() != 8 || board.UsedSquareCount() != 64)
        return;
    std::memset(FCellBit, -1, sizeof(FCellBit));
    FPromotionBits[0] = FPromotionBits[1] = 0;
    FDoubleStepBits[0] = FDoubleStepBits[1] = 0;
    for (int y = 0; y < 8; ++y) {
        FRowStartCell[y] = board.XYToI(0, y);
        for (int x = 0; x < 8; ++x) {
            const int       cell = board.XYToI(x, y);
            const TBitboard bit = TBitboard{1} << (x + 8 * y);
            FCellBit[cell] = static_cast<std::int8_t>(x + 8 * y);
            for (int side = 0; side < 2; ++side)
                if (FPromotionSquares[side][cell] != 0)
                    FPromotionBits[side] |= bit;
            if (FDoubleSquares[cell] == 1)
                FDoubleStepBits[0] |= bit;
            else if (FDoubleSquares[cell] == -1)
                FDoubleStepBits[1] |= bit;
        }
    }
    FBitboardCount = (FExactClass || FPlainBoardMoves) && FKingCode == cpKing;
}

int TChessMoveGenerator::CountBoardMoves(std::uint64_t& AEmpty) {
    if (FBitboardCount && FMateKing && !FSelfCaptures && !FMustCapture && !FCustomAddChessMove &&
        FStandardRoutines == 0x3E)
        return CountByBitboards(AEmpty);
    return -1;
}

std::uint32_t TChessMoveGenerator::CountMoves() {
    std::uint64_t empty;
    if (FExactClass) {
        const int count = CountBoardMoves(empty);
        if (count >= 0)
            return static_cast<std::uint32_t>(count);
    }
    return TMoveGenerator::CountMoves();
}

int TChessMoveGenerator::CountByBitboards(std::uint64_t& AEmpty) {
    TBoardSets sets;
    ReadBoardSets(sets);
    AEmpty = ~sets.Occupied;
    return CountOnSets(sets, FChessPosition->Side(), FChessPosition->Castles(),
                       FChessPosition->EnPassant());
}

void TChessMoveGenerator::ReadBoardSets(TBoardSets& ASets) const {
    const std::int8_t* squares = FChessPosition->Board().Squares().data();
    TBoardSets&        sets = ASets;
#if defined(__SSE2__)
    for (int y = 0; y < 8; y += 2) {
        const __m128i low =
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(squares + FRowStartCell[y]));
        const __m128i high =
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(squares + FRowStartCell[y + 1]));
        const __m128i cells = _mm_unpacklo_epi64(low, high);
#if defined(__SSSE3__)
        const __m128i types = _mm_abs_epi8(cells);
#else
        const __m128i negative = _mm_cmpgt_epi8(_mm_setzero_si128(), cells);
        const __m128i types = _mm_sub_epi8(_mm_xor_si128(cells, negative), negative);
#endif
        const int shift = 8 * y;
        sets.Occupied |= ~Mask16(_mm_cmpeq_epi8(cells, _mm_setzero_si128()), shift) &
                         (TBitboard{0xFFFF} << shift);
        sets.Second |= Mask16(cells, shift);
        for (int type = cpPawn; type <= cpKing; ++type)
            sets.Types[type] |=
                Mask16(_mm_cmpeq_epi8(types, _mm_set1_epi8(static_cast<char>(type))), shift);
    }
#else
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int value = squares[FRowStartCell[y] + x];
            if (value == 0)
                continue;
            const TBitboard bit = TBitboard{1} << (x + 8 * y);
            const int       type = value < 0 ? -value : value;
            sets.Occupied |= bit;
            if (value < 0)
                sets.Second |= bit;
            if (type <= cpKing)
                sets.Types[type] |= bit;
        }
#endif
}

int TChessMoveGenerator::CountOnSets(const TBoardSets& ASets, int ASide, const TCastles& ACastles,
                                     int AEnPassantCell) const {
    const TBoardSets& sets = ASets;
    const TTables&    t = Tables();
    const int         side = ASide;
    const TBitboard   occupied = sets.Occupied;
    const TBitboard   us = side == 0 ? occupied & ~sets.Second : sets.Second;
    const TBitboard   them = occupied & ~us;
    const TBitboard   ourKing = sets.Types[cpKing] & us;
    const TBitboard   theirKing = sets.Types[cpKing] & them;
    // Several kings of a side (or none of the mover's) are left to the general generator.
    if (ourKing == 0 || (ourKing & (ourKing - 1)) != 0 || (theirKing & (theirKing - 1)) != 0)
        return -1;
    const int       king = LowestBit(ourKing);
    const TBitboard theirPawns = sets.Types[cpPawn] & them;
    const TBitboard theirKnights = sets.Types[cpKnight] & them;
    const TBitboard theirDiagonal = (sets.Types[cpBishop] | sets.Types[cpQueen]) & them;
    const TBitboard theirLines = (sets.Types[cpRook] | sets.Types[cpQueen]) & them;
    const TBitboard kingDiagonal = BishopAttacks(t, occupied, king);
    const TBitboard kingLines = RookAttacks(t, occupied, king);
    if (((t.PawnAttacks[side][king] & theirPawns) | (t.Knight[king] & theirKnights) |
         (kingDiagonal & theirDiagonal) | (kingLines & theirLines)) != 0)
        return -1;
    // Whether the opponent attacks a cell with AOccupied standing.
    const auto attacked = [&](int ACell, TBitboard AOccupied) {
        return ((t.PawnAttacks[side][ACell] & theirPawns) | (t.Knight[ACell] & theirKnights) |
                (t.King[ACell] & theirKing) | (BishopAttacks(t, AOccupied, ACell) & theirDiagonal) |
                (RookAttacks(t, AOccupied, ACell) & theirLines)) != 0;
    };

    // Pinned: the mover's piece first on a line from the king, with an enemy slider of that line
    // right behind it. Such a slider sees the pinned piece, and no other piece of the king's lines.
    TBitboard       pinned = 0;
    const TBitboard lineShields = kingLines & us;
    for (TBitboard pinners = RookAttacks(t, occupied ^ lineShields, king) & theirLines;
         pinners != 0; pinners &= pinners - 1)
        pinned |= RookAttacks(t, occupied, LowestBit(pinners)) & lineShields;
    const TBitboard diagonalShields = kingDiagonal & us;
    for (TBitboard pinners = BishopAttacks(t, occupied ^ diagonalShields, king) & theirDiagonal;
         pinners != 0; pinners &= pinners - 1)
        pinned |= BishopAttacks(t, occupied, LowestBit(pinners)) & diagonalShields;

    const TBitboard empty = ~occupied;
    const TBitboard targets = ~us;
    // A slider's ray ends at the enemy king without taking it.
    const TBitboard sliderTargets = ~us & ~theirKing;
    int             count = 0;

    for (TBitboard b = sets.Types[cpKnight] & us & ~pinned; b != 0; b &= b - 1)
        count += PopCount(t.Knight[LowestBit(b)] & targets);
    for (TBitboard b = (sets.Types[cpBishop] | sets.Types[cpQueen]) & us; b != 0; b &= b - 1) {
        const int cell = LowestBit(b);
        TBitboard reach = BishopAttacks(t, occupied, cell) & sliderTargets;
        if ((pinned >> cell) & 1)
            reach &= LineThrough(king, cell);
        count += PopCount(reach);
    }
    for (TBitboard b = (sets.Types[cpRook] | sets.Types[cpQueen]) & us; b != 0; b &= b - 1) {
        const int cell = LowestBit(b);
        TBitboard reach = RookAttacks(t, occupied, cell) & sliderTargets;
        if ((pinned >> cell) & 1)
            reach &= LineThrough(king, cell);
        count += PopCount(reach);
    }

    // Pawns: the free ones all at once, the pinned ones one by one along their pin lines.
    const int promotions = FPromotePawnTo == 0 ? 1 : (FPromotePawnTo >= 2 ? FPromotePawnTo - 1 : 0);
    const TBitboard promotionCells = FPromotionBits[side];
    const TBitboard doubleSteps = FDoubleStepBits[side];
    const auto forward = [side](TBitboard ABits) { return side == 0 ? ABits << 8 : ABits >> 8; };
    const auto countPawnTargets = [&](TBitboard APush, TBitboard ADouble, TBitboard ACaptures) {
        return PopCount(APush & ~promotionCells) + PopCount(ADouble) +
               (PopCount(APush & promotionCells) + PopCount(ACaptures & promotionCells)) *
                   promotions +
               PopCount(ACaptures & ~promotionCells);
    };
    const TBitboard ourPawns = sets.Types[cpPawn] & us;
    const TBitboard freePawns = ourPawns & ~pinned;
    {
        const TBitboard push = forward(freePawns) & empty;
        const TBitboard twice =
            forward(forward(freePawns & doubleSteps) & empty & ~promotionCells) & empty;
        const TBitboard west = forward((freePawns & ~FileA) >> 1) & them;
        const TBitboard east = forward((freePawns & ~FileH) << 1) & them;
        count += countPawnTargets(push, twice, west) + PopCount(east & ~promotionCells) +
                 PopCount(east & promotionCells) * promotions;
    }
    for (TBitboard b = ourPawns & pinned; b != 0; b &= b - 1) {
        const int       cell = LowestBit(b);
        const TBitboard bit = TBitboard{1} << cell;
        const TBitboard line = LineThrough(king, cell);
        const TBitboard push = forward(bit) & empty & line;
        const TBitboard twice =
            forward(push & forward(bit & doubleSteps) & ~promotionCells) & empty;
        const TBitboard captures = t.PawnAttacks[side][cell] & them & line;
        count += countPawnTargets(push, twice, captures);
    }
    if (AEnPassantCell != 0) {
        const int target = FCellBit[AEnPassantCell];
        if (target >= 0 && ((empty >> target) & 1) != 0) {
            const int       victim = side == 0 ? target - 8 : target + 8;
            const TBitboard victimBit = TBitboard{1} << victim;
            for (TBitboard b = t.PawnAttacks[side ^ 1][target] & ourPawns; b != 0; b &= b - 1) {
                // Played on the sets: no slider may see the king afterwards.
                const TBitboard after =
                    (occupied ^ (b & -b) ^ (occupied & victimBit)) | (TBitboard{1} << target);
                if (((RookAttacks(t, after, king) & theirLines & ~victimBit) |
                     (BishopAttacks(t, after, king) & theirDiagonal & ~victimBit)) == 0)
                    ++count;
            }
        }
    }

    // The king: its steps onto cells the opponent does not attack once the king has left.
    const TBitboard withoutKing = occupied ^ ourKing;
    for (TBitboard b = t.King[king] & targets; b != 0; b &= b - 1)
        if (!attacked(LowestBit(b), withoutKing))
            ++count;
    const TCastles& castles = ACastles;
    const int       kingCell = FRowStartCell[king >> 3] + (king & 7);
    if (castles[side][caKing] == kingCell) {
        const TBitboard ourRooks = sets.Types[cpRook] & us;
        const auto      taken = [occupied, this](int ACell) {
            return ((occupied >> FCellBit[ACell]) & 1) != 0;
        };
        for (int i = caKingSide; i <= caQueenSide; ++i) {
            const int rook = castles[side][i == caKingSide ? caKingRook : caQueenRook];
            if (rook == 0 || FCellBit[rook] < 0 || ((ourRooks >> FCellBit[rook]) & 1) == 0)
                continue;
            const int kingTo = FFinalKPos[side][i];
            const int rookTo = i == caKingSide ? kingTo - 1 : kingTo + 1;
            bool      free = true;
            // The rook's path, its destination included, holds nothing but the king.
            if (rook != rookTo) {
                const int step = rookTo > rook ? 1 : -1;
                for (int c = rook + step;; c += step) {
                    if (taken(c) && c != kingCell) {
                        free = false;
                        break;
                    }
                    if (c == rookTo)
                        break;
                }
            }
            // The king's path holds nothing but the rook, and no cell of it is attacked.
            if (free && kingCell != kingTo) {
                const int step = kingTo > kingCell ? 1 : -1;
                for (int c = kingCell + step;; c += step) {
                    if ((taken(c) && c != rook) || attacked(FCellBit[c], occupied)) {
                        free = false;
                        break;
                    }
                    if (c == kingTo)
                        break;
                }
            }
            if (!free)
                continue;
            // The castling rook may have shielded the king's destination along the back row.
            const TBitboard lifted = occupied ^ ourKing ^ (TBitboard{1} << FCellBit[rook]);
            if ((RankAttacks(t, lifted, FCellBit[kingTo]) & theirLines) != 0)
                continue;
            ++count;
        }
    }
    return count;
}

bool TChessMoveGenerator::CountChildMoves(TMoveList& AList, std::uint32_t* ACounts) {
    std::uint64_t empty;
    if (!FExactClass || CountBoardMoves(empty) < 0)
        return false;
    TBoardSets parent;
    ReadBoardSets(parent);
    const std::int8_t* squares = FChessPosition->Board().Squares().data();
    const TChessBoard& board = FChessPosition->Board();
    const int          side = FChessPosition->Side();
    const int          opponent = side ^ 1;
    const TCastles&    castles = FChessPosition->Castles();
    std::uint32_t      index = 0;
    for (const TMove& move : AList) {
        // The child's sets and en passant cell, as the move would leave them. Its castling rights
        // need no update: the mover's do not count in the child, and the opponent's only lose a
        // rook taken, which the count finds gone anyway.
        TBoardSets child = parent;
        int        enPassant = 0;
        const int  type = move.Piece < 0 ? -move.Piece : move.Piece;
        const int  captured = move.CapturedPiece < 0 ? -move.CapturedPiece : move.CapturedPiece;
        const TBitboard from = TBitboard{1} << FCellBit[move.FromSquare];
        const TBitboard to = TBitboard{1} << FCellBit[move.ToSquare];
        const auto      lift = [&child](TBitboard ABit, int AType) {
            child.Occupied &= ~ABit;
            child.Second &= ~ABit;
            child.Types[AType] &= ~ABit;
        };
        const auto put = [&child, side](TBitboard ABit, int AType) {
            child.Occupied |= ABit;
            if (side == 1)
                child.Second |= ABit;
            child.Types[AType] |= ABit;
        };
        if (type > cpKing || captured > cpKing)
            return CountByPlaying(AList, index, ACounts);
        if (captured != 0)
            lift(to, captured);
        switch (move.MoveType) {
        case mvNormal:
            lift(from, type);
            put(to, type);
            break;
        case mvKingSideCastle:
        case mvQueenSideCastle: {
            const bool kingSide = move.MoveType == mvKingSideCastle;
            const int  rookFrom = castles[side][kingSide ? caKingRook : caQueenRook];
            const int  rookTo = kingSide ? move.ToSquare - 1 : move.ToSquare + 1;
            lift(from, cpKing);
            lift(TBitboard{1} << FCellBit[rookFrom], cpRook);
            put(TBitboard{1} << FCellBit[rookTo], cpRook);
            put(to, cpKing);
            break;
        }
        case mvEnPassant: {
            lift(from, cpPawn);
            put(to, cpPawn);
            const int victim = move.FromSquare < move.ToSquare ? move.ToSquare - board.SqXC2()
                                                               : move.ToSquare + board.SqXC2();
            lift(TBitboard{1} << FCellBit[victim], cpPawn);
            break;
        }
        case mvDoubleStep:
            lift(from, cpPawn);
            put(to, cpPawn);
            if ((squares[move.ToSquare + 1] == -move.Piece ||
                 squares[move.ToSquare - 1] == -move.Piece) &&
                board.Y(move.FromSquare) != (side == 0 ? 0 : board.SqY()))
                enPassant = (move.ToSquare + move.FromSquare) / 2;
            break;
        default: // a promotion to the piece type in MoveType
            if (move.MoveType < cpKnight || move.MoveType > cpKing)
                return CountByPlaying(AList, index, ACounts);
            lift(from, cpPawn);
            put(to, move.MoveType);
            break;
        }
        int count = CountOnSets(child, opponent, castles, enPassant);
        if (count < 0) {
            // A check to answer: listed on the position.
            FChessPosition->MakeRevertableMove(move);
            count = static_cast<int>(CountMoves());
            FChessPosition->RevertMove(move);
        }
        ACounts[index++] = static_cast<std::uint32_t>(count);
    }
    return true;
}

bool TChessMoveGenerator::CountByPlaying(TMoveList& AList, std::uint32_t ADone,
                                         std::uint32_t* ACounts) {
    // Something the sets do not model: count every child on the position instead.
    std::uint32_t index = 0;
    for (const TMove& move : AList) {
        if (index >= ADone) {
            FChessPosition->MakeRevertableMove(move);
            ACounts[index] = CountMoves();
            FChessPosition->RevertMove(move);
        }
        ++index;
    }
    return true;
}
