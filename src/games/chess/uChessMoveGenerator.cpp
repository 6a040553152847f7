#include "games/chess/uChessMoveGenerator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <mutex>
#include <typeinfo>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "support/uExceptions.h"
#include "support/uOutputSink.h"

namespace {

// Pin code written by a slider pinning along its own direction d, and the code that lets a piece
// move along its own direction d; the two sides' tables mirror each other.
constexpr std::uint8_t PinCodeByDirection[8] = {8, 4, 4, 8, 1, 2, 2, 1};
constexpr std::uint8_t AllowedPinByDirection[8] = {4, 8, 8, 4, 1, 2, 2, 1};

constexpr bool Opposite(int A, int B) {
    return (A ^ B) < 0;
}

// Set bits of a byte (a table: the default x86-64 target has no population-count instruction).
constexpr auto BitCount = [] {
    std::array<std::uint8_t, 256> result{};
    for (int i = 0; i < 256; ++i)
        result[i] = static_cast<std::uint8_t>(std::popcount(static_cast<unsigned>(i)));
    return result;
}();

// A move record as one 64-bit word (little-endian, Size first), so that each candidate costs a
// single store: the parts of the moving piece, then a target and what stands there.
inline std::uint64_t MoveBase(int AFrom, int APiece, std::uint8_t AType) {
    return std::uint64_t{sizeof(TMove)} | std::uint64_t{static_cast<std::uint8_t>(AFrom)} << 16 |
           std::uint64_t{static_cast<std::uint8_t>(APiece)} << 32 | std::uint64_t{AType} << 48;
}

inline std::uint64_t MoveTarget(int ATo, int ACaptured) {
    return std::uint64_t{static_cast<std::uint8_t>(ATo)} << 24 |
           std::uint64_t{static_cast<std::uint8_t>(ACaptured)} << 40;
}

inline void StoreMove(TMove* ACursor, std::uint64_t AMove) {
    std::memcpy(ACursor, &AMove, sizeof(AMove));
}

constexpr bool IsPlainMoveType(std::uint8_t AMoveType) {
    return AMoveType != mvEnPassant && AMoveType != mvKingSideCastle &&
           AMoveType != mvQueenSideCastle && AMoveType != mvDrop;
}

bool IsSliderCode(int APiece) {
    const int type = APiece < 0 ? -APiece : APiece;
    return type == cpBishop || type == cpRook || type == cpQueen;
}

} // namespace

// Runs AFunction<AEval, AAdd>(...) for the current pass and mode.
#define KV_INLINE [[gnu::always_inline]] inline

#define KV_DISPATCH(AFunction, ...)                                                                \
    do {                                                                                           \
        if (FEvaluating) {                                                                         \
            if (FAddMove)                                                                          \
                AFunction<true, true>(__VA_ARGS__);                                                \
            else                                                                                   \
                AFunction<true, false>(__VA_ARGS__);                                               \
        } else {                                                                                   \
            if (FAddMove)                                                                          \
                AFunction<false, true>(__VA_ARGS__);                                               \
            else                                                                                   \
                AFunction<false, false>(__VA_ARGS__);                                              \
        }                                                                                          \
    } while (false)

TChessMoveGenerator::TChessMoveGenerator() {
    FMaxListMoves = 400;
    FPieceMethodAddresses[cpPawn] = &TChessMoveGenerator::GeneratePawnMoves;
    FPieceMethodAddresses[cpKnight] = &TChessMoveGenerator::GenerateKnightMoves;
    FPieceMethodAddresses[cpBishop] = &TChessMoveGenerator::GenerateBishopMoves;
    FPieceMethodAddresses[cpRook] = &TChessMoveGenerator::GenerateRookMoves;
    FPieceMethodAddresses[cpQueen] = &TChessMoveGenerator::GenerateQueenMoves;
    FPieceMethodAddresses[cpKing] = &TChessMoveGenerator::GenerateKingAndCastlingMoves;
}

TChessMoveGenerator::~TChessMoveGenerator() = default;

void TChessMoveGenerator::SetEvaluation(std::unique_ptr<TChessEvaluation> AValue) {
    FEvaluation = std::move(AValue);
    if (FEvaluation && FChessPosition != nullptr)
        FEvaluation->SetSquaredBoard(&FChessPosition->Board());
}

void TChessMoveGenerator::SetPosition(TPosition* AValue) {
    TMoveGenerator::SetPosition(AValue);
    FChessPosition = dynamic_cast<TChessPosition*>(AValue);
    if (FChessPosition == nullptr)
        return;
    const TChessBoard& board = FChessPosition->Board();
    FKingCode = board.KingCode();
    const TBuildKey key = BuildKey(board);
    const bool      rebuild = FBuiltFor != key;
    if (!FEvaluation) {
        FEvaluation = std::make_unique<TChessEvaluation>();
        FEvaluation->SetSquaredBoard(&board);
    } else if (FEvaluation->SquaredBoard() != &board) {
        FEvaluation->SetSquaredBoard(&board);
    } else if (rebuild) {
        // Same board object, resized by a position string: the centrality table follows.
        FEvaluation->Update();
    }
    // A new position on a board of the same shape, under the same rules: every table still holds.
    if (!rebuild)
        return;
    FExactClass = typeid(*this) == typeid(TChessMoveGenerator);
    InitializePromotionSquares();
    InitializeDoubleSquares();
    InitializeOffsets();
    InitializeFinalKingPositions();
    InitializeRelations();
    InitializeRowScan();
    InitializeBitboardCount();
    FBuiltFor = key;
}

TChessMoveGenerator::TBuildKey TChessMoveGenerator::BuildKey(const TChessBoard& ABoard) const {
    TBuildKey key{};
    std::copy_n(ABoard.UsedSquares(), ABoard.UsedSquareCount(), key.UsedSquares.begin());
    key.Width = ABoard.SqXC();
    key.Height = ABoard.SqYC();
    key.KingCode = ABoard.KingCode();
    key.WhiteDouble = FWhiteDouble;
    key.BlackDouble = FBlackDouble;
    key.FirstRowDoubleSteps = FFirstRowDoubleSteps;
    key.PlainBoardMoves = FPlainBoardMoves;
    return key;
}

// The tables of one board shape: the same for every generator of every variant on that board.
struct TChessMoveGenerator::TShapeTables {
    bool          RelationsValid = false;
    TRelation     RelationTable[1024]{};
    std::int16_t  CellKey[256]{};
    bool          RowScanValid = false;
    int           RowCount = 0;
    std::uint8_t  ColumnMask = 0;
    TRowScan      Rows[64]{};
    std::uint64_t OrderedColumns[4][256]{};

    void BuildRelations(const TChessBoard& ABoard);
    void BuildRowScan(const TChessBoard& ABoard);
};

std::shared_ptr<const TChessMoveGenerator::TShapeTables>
TChessMoveGenerator::ShapeTables(const TChessBoard& ABoard) {
    struct TEntry {
        int                                 Width;
        int                                 Height;
        std::array<std::uint8_t, 128>       UsedSquares;
        std::shared_ptr<const TShapeTables> Tables;
    };
    // Generators are set up on several threads (perft workers, the engine). Few shapes ever
    // occur; the bound only keeps a stream of odd boards from growing the cache without end.
    static std::mutex             lock;
    static std::vector<TEntry>    entries;
    constexpr std::size_t         MaximalEntries = 64;
    std::array<std::uint8_t, 128> used{};
    std::copy_n(ABoard.UsedSquares(), ABoard.UsedSquareCount(), used.begin());
    {
        std::scoped_lock guard(lock);
        for (const TEntry& entry : entries)
            if (entry.Width == ABoard.SqXC() && entry.Height == ABoard.SqYC() &&
                entry.UsedSquares == used)
                return entry.Tables;
    }
    auto tables = std::make_shared<TShapeTables>();
    tables->BuildRelations(ABoard);
    tables->BuildRowScan(ABoard);
    std::scoped_lock guard(lock);
    if (entries.size() == MaximalEntries)
        entries.erase(entries.begin());
    entries.push_back(TEntry{ABoard.SqXC(), ABoard.SqYC(), used, tables});
    return tables;
}

void TChessMoveGenerator::InitializeRowScan() {
    const std::shared_ptr<const TShapeTables> tables = ShapeTables(FChessPosition->Board());
    FRowScanValid = tables->RowScanValid;
    if (!FRowScanValid)
        return;
    FRowCount = tables->RowCount;
    FColumnMask = tables->ColumnMask;
    std::memcpy(FRows, tables->Rows, sizeof(FRows));
    std::memcpy(FOrderedColumns, tables->OrderedColumns, sizeof(FOrderedColumns));
}

void TChessMoveGenerator::TShapeTables::BuildRowScan(const TChessBoard& ABoard) {
    const TChessBoard& board = ABoard;
    const int          width = board.SqXC();
    if (width > 8 || board.UsedSquareCount() != width * board.SqYC())
        return;
    int          orders = 0;
    std::uint8_t knownOrders[4][8] = {};
    RowCount = board.SqYC();
    ColumnMask = static_cast<std::uint8_t>((1u << width) - 1);
    for (int row = 0; row < RowCount; ++row) {
        const std::uint8_t* entries = board.UsedSquares() + row * width;
        const int           start = board.XYToI(0, board.Y(entries[0]));
        std::uint8_t        columns[8] = {};
        for (int k = 0; k < width; ++k) {
            if (entries[k] - board.X(entries[k]) != start)
                return; // the rows are not listed one after another
            columns[k] = static_cast<std::uint8_t>(board.X(entries[k]));
        }
        int order = 0;
        while (order < orders && std::memcmp(knownOrders[order], columns, 8) != 0)
            ++order;
        if (order == orders) {
            if (orders == 4)
                return;
            std::memcpy(knownOrders[order], columns, 8);
            for (int mask = 0; mask < 256; ++mask) {
                std::uint64_t packed = 0;
                int           count = 0;
                for (int k = 0; k < width; ++k)
                    if ((mask >> columns[k]) & 1)
                        packed |= std::uint64_t{columns[k]} << (8 * count++);
                OrderedColumns[order][mask] = packed;
            }
            ++orders;
        }
        Rows[row] = TRowScan{static_cast<std::uint8_t>(start), static_cast<std::uint8_t>(order)};
    }
    RowScanValid = true;
}

namespace {

// The columns of the eight cells at ACells equal to AValue, as bits.
KV_INLINE unsigned EqualColumns(const std::int8_t* ACells, int AValue) {
    std::uint64_t cells;
    std::memcpy(&cells, ACells, sizeof(cells));
#if defined(__SSE2__)
    const __m128i v = _mm_cvtsi64_si128(static_cast<long long>(cells));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(AValue)))));
#else
    unsigned mask = 0;
    for (int x = 0; x < 8; ++x)
        mask |= static_cast<unsigned>(static_cast<std::int8_t>(cells >> (8 * x)) == AValue) << x;
    return mask;
#endif
}

// The columns holding pieces of the second player (negative codes), as bits.
KV_INLINE unsigned NegativeColumns(const std::int8_t* ACells) {
    std::uint64_t cells;
    std::memcpy(&cells, ACells, sizeof(cells));
#if defined(__SSE2__)
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cvtsi64_si128(static_cast<long long>(cells))));
#else
    unsigned mask = 0;
    for (int x = 0; x < 8; ++x)
        mask |= static_cast<unsigned>(static_cast<std::int8_t>(cells >> (8 * x)) < 0) << x;
    return mask;
#endif
}

} // namespace

void TChessMoveGenerator::FindImmobilePawns(unsigned (&AMasks)[64], int AMover) const {
    // Rows run from the top of the board down, so the row ahead of a first-player pawn is the
    // one before it in the scan, and the row after it for a second-player pawn.
    unsigned empty[64];
    unsigned enemies[64];
    unsigned pawns[64];
    for (int row = 0; row < FRowCount; ++row) {
        const std::int8_t* cells = Squares + FRows[row].Start;
        const unsigned     negative = NegativeColumns(cells) & FColumnMask;
        empty[row] = EqualColumns(cells, 0) & FColumnMask;
        enemies[row] = AMover == 0 ? negative : ~(negative | empty[row]) & FColumnMask;
        pawns[row] = EqualColumns(cells, AMover == 0 ? cpPawn : -cpPawn) & FColumnMask;
    }
    for (int row = 0; row < FRowCount; ++row) {
        const int ahead = AMover == 0 ? row - 1 : row + 1;
        unsigned  mobile = 0;
        if (ahead >= 0 && ahead < FRowCount)
            mobile = empty[ahead] | enemies[ahead] << 1 | enemies[ahead] >> 1;
        AMasks[row] = pawns[row] & ~mobile;
    }
}

template <bool ATyped, bool ASkipPawns>
void TChessMoveGenerator::CollectPieces(std::uint8_t (&APieces)[2][136], int (&ACounts)[2],
                                        int AOpponent) {
    int white = 0;
    int black = 0;
    if (FRowScanValid) {
        unsigned immobile[64];
        if constexpr (ASkipPawns)
            FindImmobilePawns(immobile, AOpponent ^ 1);
        // With ATyped also the opponent's sliders, knights and king and the mover's king.
        const int enemy = AOpponent == 0 ? 1 : -1;
        int       sliders = 0;
        int       knights = 0;
        int       enemyKing = 0;
        int       moverKing = 0;
        for (int row = 0; row < FRowCount; ++row) {
            const TRowScan scan = FRows[row];
            std::uint64_t  cells;
            std::memcpy(&cells, Squares + scan.Start, sizeof(cells));
#if defined(__SSE2__)
            const __m128i v = _mm_cvtsi64_si128(static_cast<long long>(cells));
            const auto    equal = [&v](int AValue) {
                return static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(AValue)))));
            };
            const unsigned negative = static_cast<unsigned>(_mm_movemask_epi8(v));
#else
            const auto equal = [cells](int AValue) {
                unsigned mask = 0;
                for (int x = 0; x < 8; ++x)
                    mask |=
                        static_cast<unsigned>(static_cast<std::int8_t>(cells >> (8 * x)) == AValue)
                        << x;
                return mask;
            };
            unsigned negative = 0;
            for (int x = 0; x < 8; ++x)
                negative |= static_cast<unsigned>(static_cast<std::int8_t>(cells >> (8 * x)) < 0)
                            << x;
#endif
            // The occupied columns in row order, shifted to cells, stored eight at a time: the
            // bytes past the count are overwritten by the next row or ignored.
            unsigned mine = ~(negative | equal(0) | equal(TSquaredBoard::OffBoard)) & FColumnMask;
            unsigned theirs = negative & FColumnMask;
            if constexpr (ASkipPawns) {
                if (AOpponent == 1)
                    mine &= ~immobile[row];
                else
                    theirs &= ~immobile[row];
            }
            const std::uint64_t* ordered = FOrderedColumns[scan.Order];
            const std::uint64_t  base = scan.Start * 0x0101010101010101ULL;
            const std::uint64_t  myCells = ordered[mine] + base;
            const std::uint64_t  theirCells = ordered[theirs] + base;
            std::memcpy(&APieces[0][white], &myCells, sizeof(myCells));
            std::memcpy(&APieces[1][black], &theirCells, sizeof(theirCells));
            white += BitCount[mine];
            black += BitCount[theirs];
            if constexpr (ATyped) {
                const unsigned slider =
                    (equal(enemy * cpBishop) | equal(enemy * cpRook) | equal(enemy * cpQueen)) &
                    FColumnMask;
                const unsigned      knight = equal(enemy * cpKnight) & FColumnMask;
                const std::uint64_t sliderCells = ordered[slider] + base;
                const std::uint64_t knightCells = ordered[knight] + base;
                std::memcpy(&FEnemySliders[sliders], &sliderCells, sizeof(sliderCells));
                std::memcpy(&FEnemyKnights[knights], &knightCells, sizeof(knightCells));
                sliders += BitCount[slider];
                knights += BitCount[knight];
                const unsigned theirKing = equal(enemy * FKingCode) & FColumnMask;
                const unsigned myKing = equal(-enemy * FKingCode) & FColumnMask;
                if (theirKing != 0)
                    enemyKing = scan.Start + std::countr_zero(theirKing);
                if (myKing != 0 && moverKing == 0)
                    moverKing = scan.Start + std::countr_zero(myKing);
            }
        }
        if constexpr (ATyped) {
            FEnemySliderCount = sliders;
            FEnemyKnightCount = knights;
            FEnemyKing = enemyKing;
            FMoverKing = moverKing;
        }
    } else {
        // Branch-free: most cells are empty.
        const TChessBoard&  board = FChessPosition->Board();
        const std::uint8_t* used = board.UsedSquares();
        const int           usedCount = board.UsedSquareCount();
        for (int i = 0; i < usedCount; ++i) {
            const int cell = used[i];
            const int value = Squares[cell];
            APieces[0][white] = static_cast<std::uint8_t>(cell);
            APieces[1][black] = static_cast<std::uint8_t>(cell);
            white += static_cast<unsigned>(value - 1) < TSquaredBoard::OffBoard - 1;
            black += value < 0;
        }
        if constexpr (ATyped) {
            // The opponent's sliders, knights and king, branch-free, and the mover's king.
            int                 sliders = 0;
            int                 knights = 0;
            int                 enemyKing = 0;
            const std::uint8_t* theirs = APieces[AOpponent];
            const int           count = AOpponent == 0 ? white : black;
            for (int i = 0; i < count; ++i) {
                const int cell = theirs[i];
                const int value = Squares[cell];
                const int type = value < 0 ? -value : value;
                FEnemySliders[sliders] = static_cast<std::uint8_t>(cell);
                FEnemyKnights[knights] = static_cast<std::uint8_t>(cell);
                sliders += static_cast<unsigned>(type - cpBishop) <= cpQueen - cpBishop;
                knights += type == cpKnight;
                enemyKing = type == FKingCode ? cell : enemyKing;
            }
            FEnemySliderCount = sliders;
            FEnemyKnightCount = knights;
            FEnemyKing = enemyKing;
            FMoverKing = board.FindKingPos(AOpponent ^ 1);
        }
    }
    ACounts[0] = white;
    ACounts[1] = black;
}

void TChessMoveGenerator::InitializeRelations() {
    const std::shared_ptr<const TShapeTables> tables = ShapeTables(FChessPosition->Board());
    FRelationsValid = tables->RelationsValid;
    if (!FRelationsValid)
        return;
    std::memcpy(FRelationTable, tables->RelationTable, sizeof(FRelationTable));
    std::memcpy(FCellKey, tables->CellKey, sizeof(FCellKey));
}

void TChessMoveGenerator::TShapeTables::BuildRelations(const TChessBoard& ABoard) {
    const TChessBoard& board = ABoard;
    RelationsValid = board.SqXC() <= 16 && board.SqYC() <= 16;
    if (!RelationsValid)
        return;
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        CellKey[cell] = static_cast<std::int16_t>(board.X(cell) + 32 * board.Y(cell));
    }
    for (int dy = -15; dy <= 15; ++dy)
        for (int dx = -15; dx <= 15; ++dx) {
            const int adx = std::abs(dx);
            const int ady = std::abs(dy);
            TRelation relation{};
            if ((dx == 0 || dy == 0 || adx == ady) && (dx != 0 || dy != 0)) {
                relation.Step = static_cast<std::int8_t>((dx > 0) - (dx < 0) +
                                                         ((dy > 0) - (dy < 0)) * board.SqXC2());
                relation.Line = dx != 0 && dy != 0 ? 1 : 2;
            }
            relation.Knight = (adx == 1 && ady == 2) || (adx == 2 && ady == 1);
            relation.King = adx <= 1 && ady <= 1 && (dx != 0 || dy != 0);
            RelationTable[dx + 32 * dy + 512] = relation;
        }
}

void TChessMoveGenerator::InitializePromotionSquares() {
    std::memset(FPromotionSquares, 0, sizeof(FPromotionSquares));
    const TChessBoard& board = FChessPosition->Board();
    for (int x = 0; x <= board.SqX(); ++x) {
        FPromotionSquares[0][board.XYToI(x, board.SqY())] = 1;
        FPromotionSquares[1][board.XYToI(x, 0)] = 1;
    }
}

void TChessMoveGenerator::InitializeDoubleSquares() {
    std::memset(FDoubleSquares, 0, sizeof(FDoubleSquares));
    const TChessBoard& board = FChessPosition->Board();
    if (board.SqYC() < 7 || (!FWhiteDouble && !FBlackDouble))
        return;
    for (int x = 0; x <= board.SqX(); ++x) {
        if (FWhiteDouble) {
            FDoubleSquares[board.XYToI(x, 1)] = 1;
            if (FFirstRowDoubleSteps)
                FDoubleSquares[board.XYToI(x, 0)] = 1;
        }
        if (FBlackDouble) {
            FDoubleSquares[board.XYToI(x, board.SqY() - 1)] = -1;
            if (FFirstRowDoubleSteps)
                FDoubleSquares[board.XYToI(x, board.SqY())] = -1;
        }
    }
}

void TChessMoveGenerator::InitializeOffsets() {
    const int s = FChessPosition->Board().SqXC2();
    const int first[16] = {s - 1, s + 1,  -s - 1,     -s + 1,    s,     -1,
                           1,     -s,     2 * s - 1,  2 * s + 1, s - 2, -s - 2,
                           s + 2, -s + 2, -2 * s - 1, -2 * s + 1};
    const int second[16] = {-s - 1, -s + 1, s - 1,      s + 1,      -s,     -1,
                            1,      s,      -2 * s - 1, -2 * s + 1, -s - 2, s - 2,
                            -s + 2, s + 2,  2 * s - 1,  2 * s + 1};
    std::copy(std::begin(first), std::end(first), FOffsets[0]);
    std::copy(std::begin(second), std::end(second), FOffsets[1]);
}

void TChessMoveGenerator::InitializeFinalKingPositions() {
    const TChessBoard& board = FChessPosition->Board();
    for (int side = 0; side < 2; ++side)
        for (int type = caKingSide; type <= caQueenSide; ++type)
            FFinalKPos[side][type] = CastleKingDestination(board, side, type);
}

// ---------------------------------------------------------------------------------------------
// Generate

TMoveList* TChessMoveGenerator::Generate() {
    if (FChessPosition == nullptr)
        return TMoveGenerator::Generate();
    return FPerftMode ? GenerateT<false>() : GenerateT<true>();
}

TMoveList* TChessMoveGenerator::GenerateNoMoves(std::int16_t AScore) {
    TMoveList* list = TMoveGenerator::Generate();
    if (!FPerftMode)
        SetScore(AScore);
    return list;
}

template <bool AEval> TMoveList* TChessMoveGenerator::GenerateT() {
    FEvaluating = AEval;
    const TChessBoard& board = FChessPosition->Board();
    const int          side = FChessPosition->Side();
    const int          opponent = side ^ 1;
    const std::size_t  cells = static_cast<std::size_t>(board.CellCount());

    // -- reset --
    if (FEvasionCount != 0)
        UnmarkEvasionSquares();
    FMaxPrior = 0;
    FCanPromote = false;
    FRemove[0] = FRemove[1] = false;
    FKingPos[0] = FKingPos[1] = 0;
    std::memset(FCheckingPiecePosition, 0, sizeof(FCheckingPiecePosition));
    std::memset(FBannedKingCell, 0, sizeof(FBannedKingCell));
    FKingCentred = !AEval && (FKingCentredAllowed ||
                              (FExactClass && FStandardRoutines == 0x3E && !FCustomAddChessMove));
    if (!FKingCentred)
        std::memset(FAffectedSquares[opponent], 0, cells);
    if constexpr (AEval) {
        std::memset(FAffectedSquares[side], 0, cells);
        FScores.Clear();
    }
    std::memset(FPinned, 0, cells);
    FMoveList = TMoveGenerator::Generate();
    FListLimit = FMoveList->begin() + FMaxListMoves;
    FEnPassantCell = FChessPosition->EnPassant();
    Squares = FChessPosition->Board().Squares().data();

    // -- the pieces of both sides, in playing-square order --
    std::uint8_t pieces[2][136];
    int          counts[2];
    const bool   lookups = FKingCentred && FMateKing;
    // Only the mover's list is walked in the king-centred mode.
    const bool skipPawns = FSkipImmobilePawns && FKingCentred && FRowScanValid && !FSelfCaptures &&
                           FEnPassantCell == 0;
    if (lookups && FRelationsValid) {
        if (skipPawns)
            CollectPieces<true, true>(pieces, counts, opponent);
        else
            CollectPieces<true>(pieces, counts, opponent);
    } else if (skipPawns) {
        CollectPieces<false, true>(pieces, counts, opponent);
    } else {
        CollectPieces<false>(pieces, counts, opponent);
    }
    const auto walk = [&](int AOwner, auto APass) {
        constexpr bool add = decltype(APass)::value;
        if (AOwner == 0)
            WalkPieces<AEval, add>(pieces[0], counts[0], 1);
        else
            WalkPieces<AEval, add>(pieces[1] + counts[1] - 1, counts[1], -1);
    };

    // -- first pass: the opponent's attacks, the pins and the checks --
    FAddMove = false;
    FSide = opponent;
    std::copy(FOffsets[opponent], FOffsets[opponent] + 16, Ofst);
    FSideScore = &FScores.Scores[opponent];
    FMoveCount = 0;
    if (FKingCentred) {
        // Without MateKing the king is an ordinary piece and nothing needs the opponent's attacks.
        if (lookups) {
            if (FRelationsValid) {
                if (FMoverKing != 0)
                    ScanFromKingByRelations(FMoverKing, side);
            } else {
                const int king = FChessPosition->Board().FindKingPos(side);
                if (king != 0)
                    ScanFromKing(king, side);
            }
        }
    } else {
        walk(opponent, std::false_type{});
    }
    if constexpr (AEval) {
        FScores.Complexity += FMoveCount;
        FSideScore->Add(FEvaluation->GetMoveBonus(FMoveCount), stSpace);
    }

    // -- second pass: the mover's legal moves --
    FAddMove = true;
    FSide = side;
    std::copy(FOffsets[side], FOffsets[side] + 16, Ofst);
    FSideScore = &FScores.Scores[side];
    FMoveCount = 0;
    if (FCheckingPiecePosition[side][1] != 0) {
        // Double check: only the king can move.
        const std::uint8_t king = static_cast<std::uint8_t>(FKingPos[side]);
        if (king != 0)
            WalkPieces<AEval, true>(&king, 1, 1);
    } else if (FCheckingPiecePosition[side][0] != 0) {
        MarkEvasionSquares();
        walk(side, std::true_type{});
        UnmarkEvasionSquares();
    } else {
        // Nothing to answer: plain moves go straight into the list.
        FDirectAdd = !FCustomAddChessMove && !FMustCapture;
        FFastEmit = FDirectAdd && !FSelfCaptures;
        walk(side, std::true_type{});
        FMoveList->Seal();
        if (FDirectAdd)
            FMoveCount = static_cast<int>(FMoveList->Count);
        FDirectAdd = false;
        FFastEmit = false;
    }
    FMoveList->Seal();
    if constexpr (AEval) {
        FScores.Complexity += FMoveCount;
        FSideScore->Add(FEvaluation->GetMoveBonus(FMoveCount), stSpace);
        UpdateScore();
    }
    return FMoveList;
}

template <bool AEval, bool AAdd>
[[gnu::noinline]] void TChessMoveGenerator::WalkPieces(const std::uint8_t* ACells, int ACount,
                                                       int AStep) {
    for (int i = 0; i < ACount; ++i, ACells += AStep) {
        const int cell = *ACells;
        WalkPiece<AEval, AAdd>(cell, Squares[cell]);
    }
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::WalkPiece(int ACell, int APiece) {
    const int type = APiece < 0 ? -APiece : APiece;
    if constexpr (AEval)
        FSideScore->Add(FEvaluation->Material[type <= TChessEvaluation::MaxCode ? type : 0], APiece,
                        stMaterial);
    // The chess routines run inline unless a variant has replaced them.
    if (type < cpKing && (FStandardRoutines & (1u << type)) != 0) {
        if constexpr (!AEval && AAdd) {
            if (FFastEmit) {
                FastPieceMoves(ACell, APiece, type);
                return;
            }
        }
        switch (type) {
        case cpPawn:
            PawnMoves<AEval, AAdd>(ACell, APiece);
            return;
        case cpKnight:
            KnightMoves<AEval, AAdd>(ACell, APiece);
            return;
        case cpBishop:
            for (int d = 0; d < 4; ++d)
                SliderRay<AEval, AAdd>(ACell, APiece, d);
            return;
        case cpRook:
            for (int d = 4; d < 8; ++d)
                SliderRay<AEval, AAdd>(ACell, APiece, d);
            return;
        default:
            for (int d = 0; d < 8; ++d)
                SliderRay<AEval, AAdd>(ACell, APiece, d);
            return;
        }
    }
    if (type <= MaxPieceCode && FPieceMethodAddresses[type] != nullptr) {
        SqS = ACell;
        PieceS = APiece;
        (this->*FPieceMethodAddresses[type])();
    }
}

void TChessMoveGenerator::SetPieceMethod(int ACode, TPieceMethod AMethod) {
    FPieceMethodAddresses[ACode] = AMethod;
    FStandardRoutines &= ~(1u << ACode);
}

// ---------------------------------------------------------------------------------------------
// Piece routines

void TChessMoveGenerator::GeneratePawnMoves() {
    KV_DISPATCH(PawnMoves, SqS, PieceS);
}
void TChessMoveGenerator::GeneratePawnCapture(int ADirection) {
    KV_DISPATCH(PawnCapture, SqS, PieceS, ADirection);
}
void TChessMoveGenerator::GenerateKnightMoves() {
    KV_DISPATCH(KnightMoves, SqS, PieceS);
}
void TChessMoveGenerator::GenerateBishopMoves() {
    for (int d = 0; d < 4; ++d)
        GenerateSlide(d);
}
void TChessMoveGenerator::GenerateRookMoves() {
    for (int d = 4; d < 8; ++d)
        GenerateSlide(d);
}
void TChessMoveGenerator::GenerateQueenMoves() {
    GenerateBishopMoves();
    GenerateRookMoves();
}
void TChessMoveGenerator::GenerateSlide(int ADirection) {
    KV_DISPATCH(SliderRay, SqS, PieceS, ADirection);
}
void TChessMoveGenerator::GenerateKingMoves() {
    KV_DISPATCH(KingSteps, SqS, PieceS);
}

void TChessMoveGenerator::GenerateKingAndCastlingMoves() {
    const int cell = SqS;
    const int king = PieceS;
    GenerateKingMoves();
    if (!FEvaluating && !FAddMove)
        return;
    if (FChessPosition->Castles()[FSide][caKing] != cell)
        return;
    if (FAddMove) {
        if (FEvaluating)
            CastlingMoves<true, true>(cell, king);
        else
            CastlingMoves<false, true>(cell, king);
    } else {
        CastlingMoves<true, false>(cell, king);
    }
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::PawnMoves(int ACell, int APiece) {
    const std::uint8_t pin = FPinned[ACell];
    if (pin == 0 || pin == 4)
        PawnCapture<AEval, AAdd>(ACell, APiece, 0);
    if (pin == 0 || pin == 8)
        PawnCapture<AEval, AAdd>(ACell, APiece, 1);
    if constexpr (AEval) {
        // Pawn structure: neighbours on the row and pawns this one protects.
        const std::int32_t weight = FEvaluation->PawnStructureWeight();
        if (weight != 0)
            for (const int neighbour : {ACell - 1, ACell + 1, ACell + Ofst[0], ACell + Ofst[1]})
                if (Squares[neighbour] == APiece)
                    FSideScore->Add(weight, APiece, stSafety);
    }
    if constexpr (!AEval && !AAdd)
        return;
    if (pin != 0 && pin != 1)
        return;
    const int to = ACell + Ofst[4];
    const int value = Squares[to];
    if constexpr (AEval)
        if (value != TSquaredBoard::OffBoard)
            FSideScore->Add(FEvaluation->PieceActivity(APiece, value), APiece, stSpace);
    if (value != 0)
        return;
    if (FPromotionSquares[FSide][to]) {
        Promotions<AEval, AAdd>(ACell, to, APiece, 0);
        return;
    }
    Emit<AEval, AAdd>(ACell, to, APiece, 0, mvNormal);
    if (FDoubleSquares[ACell] == (APiece > 0 ? 1 : -1)) {
        const int to2 = to + Ofst[4];
        if (Squares[to2] == 0) {
            if constexpr (AEval)
                FSideScore->Add(FEvaluation->PieceActivity(APiece, 0), APiece, stSpace);
            Emit<AEval, AAdd>(ACell, to2, APiece, 0, mvDoubleStep);
        }
    }
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::PawnCapture(int ACell, int APiece, int ADirection) {
    const int to = ACell + Ofst[ADirection];
    const int value = Squares[to];
    if (value == 0) {
        if constexpr (AEval || !AAdd)
            ++FAffectedSquares[FSide][to];
        if (to == FEnPassantCell)
            Emit<AEval, AAdd>(ACell, to, APiece, 0, mvEnPassant);
        return;
    }
    if (value == TSquaredBoard::OffBoard)
        return;
    if constexpr (AEval || !AAdd)
        ++FAffectedSquares[FSide][to];
    const bool enemy = Opposite(value, APiece);
    if (!enemy && !FSelfCaptures)
        return;
    if (enemy) {
        if constexpr (AEval)
            FSideScore->Add(FEvaluation->PieceActivity(APiece, value), APiece, stAttack);
        if constexpr (AEval || !AAdd)
            if (FMateKing && (value == FKingCode || value == -FKingCode))
                RecordCheck(ACell, to, Ofst[ADirection], false);
    }
    if constexpr (!AEval && !AAdd)
        return;
    if (FPromotionSquares[FSide][to])
        Promotions<AEval, AAdd>(ACell, to, APiece, value);
    else
        Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
}

template <bool AEval, bool AAdd>
void TChessMoveGenerator::Promotions(int AFrom, int ATo, int APiece, int ACaptured) {
    if constexpr (AEval)
        FSideScore->Add(FEvaluation->PassedPawnsWeight(), APiece, stAttack);
    if (FPromotePawnTo == 0) {
        Emit<AEval, AAdd>(AFrom, ATo, APiece, ACaptured, mvDefaultPromotion);
        return;
    }
    for (int type = FPromotePawnTo; type >= 2; --type)
        Emit<AEval, AAdd>(AFrom, ATo, APiece, ACaptured, static_cast<std::uint8_t>(type));
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::KnightMoves(int ACell, int APiece) {
    if (FPinned[ACell] != 0)
        return;
    for (int d = 8; d < 16; ++d) {
        const int to = ACell + Ofst[d];
        const int value = Squares[to];
        if (value == TSquaredBoard::OffBoard)
            continue;
        if constexpr (AEval || !AAdd)
            ++FAffectedSquares[FSide][to];
        if constexpr (AEval)
            FSideScore->Add(FEvaluation->PieceActivity(APiece, value), APiece, stSpace);
        if (value == 0) {
            Emit<AEval, AAdd>(ACell, to, APiece, 0, mvNormal);
        } else if (Opposite(value, APiece)) {
            if constexpr (AEval || !AAdd)
                if (FMateKing && (value == FKingCode || value == -FKingCode))
                    RecordCheck(ACell, to, Ofst[d], false);
            Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
        } else if (FSelfCaptures) {
            Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
        }
    }
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::SliderRay(int ACell, int APiece, int ADirection) {
    const std::uint8_t pin = FPinned[ACell];
    if (pin != 0 && pin != AllowedPinByDirection[ADirection])
        return;
    const int step = Ofst[ADirection];
    int       to = ACell + step;
    int       value = Squares[to];
    while (value == 0) {
        if constexpr (AEval || !AAdd)
            ++FAffectedSquares[FSide][to];
        if constexpr (AEval)
            FSideScore->Add(FEvaluation->PieceActivity(APiece, 0), APiece, stSpace);
        Emit<AEval, AAdd>(ACell, to, APiece, 0, mvNormal);
        to += step;
        value = Squares[to];
    }
    if (value == TSquaredBoard::OffBoard)
        return;
    if constexpr (AEval || !AAdd)
        ++FAffectedSquares[FSide][to];
    if constexpr (AEval)
        FSideScore->Add(FEvaluation->PieceActivity(APiece, value), APiece, stSpace);
    if (!Opposite(value, APiece)) {
        if (FSelfCaptures)
            Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
        return;
    }
    if (FMateKing && (value == FKingCode || value == -FKingCode)) {
        if constexpr (AEval || !AAdd)
            RecordCheck(ACell, to, step, true);
        return;
    }
    Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
    if constexpr (AEval || !AAdd) {
        if (!FMateKing)
            return;
        // Behind the first enemy piece: is it shielding its king?
        const int blocker = to;
        do
            to += step;
        while (Squares[to] == 0);
        if (Squares[to] == (value > 0 ? FKingCode : -FKingCode))
            FPinned[blocker] |= PinCodeByDirection[ADirection];
    }
}

template <bool AEval, bool AAdd> void TChessMoveGenerator::KingSteps(int ACell, int APiece) {
    // Looked up from the cell, an attack through the king's own cell must count: lift the king.
    const bool lift = AAdd && FKingCentred;
    if (lift)
        Squares[ACell] = 0;
    for (int d = 0; d < 8; ++d) {
        const int to = ACell + Ofst[d];
        const int value = Squares[to];
        if (value == TSquaredBoard::OffBoard)
            continue;
        if constexpr (AEval || !AAdd)
            ++FAffectedSquares[FSide][to];
        if constexpr (AEval)
            FSideScore->Add(FEvaluation->PieceActivity(APiece, value), APiece, stSafety);
        if constexpr (!AEval && !AAdd)
            continue;
        if ((value == 0 || Opposite(value, APiece) || FSelfCaptures) && KingStepSafe(to))
            Emit<AEval, AAdd>(ACell, to, APiece, value, mvNormal);
    }
    if (lift)
        Squares[ACell] = static_cast<std::int8_t>(APiece);
}

template <bool AEval, bool AAdd> void TChessMoveGenerator::CastlingMoves(int ACell, int APiece) {
    const int opponent = FSide ^ 1;
    // Not out of check: every attack on the king's cell was recorded as a check.
    if (FMateKing && FCheckingPiecePosition[FSide][0] != 0)
        return;
    const TCastles& castles = FChessPosition->Castles();
    const int       rookPiece = APiece > 0 ? cpRook : -cpRook;
    for (int i = caKingSide; i <= caQueenSide; ++i) {
        const int rook = castles[FSide][i == caKingSide ? caKingRook : caQueenRook];
        if (rook == 0 || Squares[rook] != rookPiece)
            continue;
        const int kingTo = FFinalKPos[FSide][i];
        const int rookTo = i == caKingSide ? kingTo - 1 : kingTo + 1;
        bool      free = true;
        // The rook's path, its destination included, holds nothing but the king.
        if (rook != rookTo) {
            const int step = rookTo > rook ? 1 : -1;
            for (int c = rook + step;; c += step) {
                if (Squares[c] != 0 && c != ACell) {
                    free = false;
                    break;
                }
                if (c == rookTo)
                    break;
            }
        }
        if (!free)
            continue;
        // The king's path holds nothing but the rook, and then no cell of it is attacked.
        if (ACell != kingTo) {
            const int step = kingTo > ACell ? 1 : -1;
            for (int c = ACell + step;; c += step) {
                if (Squares[c] != 0 && c != rook) {
                    free = false;
                    break;
                }
                if (c == kingTo)
                    break;
            }
            if (free && FMateKing)
                for (int c = ACell + step;; c += step) {
                    if (OpponentAttacks(c)) {
                        free = false;
                        break;
                    }
                    if (c == kingTo)
                        break;
                }
        }
        if (!free)
            continue;
        if (FMateKing) {
            // The castling rook may have shielded the king's destination along the back row.
            Squares[ACell] = 0;
            Squares[rook] = 0;
            const bool attacked = RankAttacked(kingTo, opponent);
            Squares[ACell] = static_cast<std::int8_t>(APiece);
            Squares[rook] = static_cast<std::int8_t>(rookPiece);
            if (attacked)
                continue;
        }
        Emit<AEval, AAdd>(ACell, kingTo, APiece, 0,
                          i == caKingSide ? mvKingSideCastle : mvQueenSideCastle);
    }
}

// ---------------------------------------------------------------------------------------------
// Perft fast path: the second pass when nothing needs filtering (no check, no compulsory
// captures, no self-captures, no variant hooks). Each candidate is written and the list end
// advanced by whether it is a move, so the varying ends of rays and jumps cost no mispredicted
// branches. The lists are the same as the general routines'.

namespace {

// A capturable piece for APiece: the other side's, not an empty cell (0 has the sign of neither
// side, but Opposite sees it as opposite to a negative piece) and not the frame (127 is positive).
KV_INLINE bool Capturable(int AValue, int APiece) {
    return Opposite(AValue, APiece) && AValue != 0 && AValue != TSquaredBoard::OffBoard;
}

} // namespace

KV_INLINE void TChessMoveGenerator::FastPieceMoves(int ACell, int APiece, int AType) {
    static_assert(std::endian::native == std::endian::little, "moves are packed little-endian");
    TMove* cursor = FMoveList->end();
    // A piece adds at most 27 moves here (a queen); the list keeps that much room.
    if (cursor + 32 > FListLimit)
        RaiseOverflow();
    const std::int8_t*  squares = Squares;
    const std::uint8_t  pin = FPinned[ACell];
    const std::uint64_t base = MoveBase(ACell, APiece, mvNormal);
    switch (AType) {
    case cpPawn: {
        const int forward = Ofst[4];
        if (FPromotionSquares[FSide][ACell + forward] != 0 || FEnPassantCell != 0) {
            // Promotions and en passant take the general route.
            PawnMoves<false, true>(ACell, APiece);
            return;
        }
        if (pin == 0 || pin == 4) {
            const int to = ACell + Ofst[0];
            const int value = squares[to];
            StoreMove(cursor, base | MoveTarget(to, value));
            cursor += Capturable(value, APiece);
        }
        if (pin == 0 || pin == 8) {
            const int to = ACell + Ofst[1];
            const int value = squares[to];
            StoreMove(cursor, base | MoveTarget(to, value));
            cursor += Capturable(value, APiece);
        }
        if (pin == 0 || pin == 1) {
            const int  to = ACell + forward;
            const bool push = squares[to] == 0;
            StoreMove(cursor, base | MoveTarget(to, 0));
            cursor += push;
            const int  to2 = to + forward;
            const bool twice =
                push && FDoubleSquares[ACell] == (APiece > 0 ? 1 : -1) && squares[to2] == 0;
            StoreMove(cursor, MoveBase(ACell, APiece, mvDoubleStep) | MoveTarget(to2, 0));
            cursor += twice;
        }
        break;
    }
    case cpKnight:
        if (pin != 0)
            return;
        for (int d = 8; d < 16; ++d) {
            const int to = ACell + Ofst[d];
            const int value = squares[to];
            StoreMove(cursor, base | MoveTarget(to, value));
            cursor += value == 0 || Capturable(value, APiece);
        }
        break;
    default: {
        const int first = AType == cpRook ? 4 : 0;
        const int last = AType == cpBishop ? 4 : 8;
        for (int d = first; d < last; ++d) {
            if (pin != 0 && pin != AllowedPinByDirection[d])
                continue;
            const int step = Ofst[d];
            int       to = ACell + step;
            int       value = squares[to];
            while (value == 0) {
                StoreMove(cursor++, base | MoveTarget(to, 0));
                to += step;
                value = squares[to];
            }
            // A slider takes no king: with MateKing that is a check, recorded elsewhere.
            StoreMove(cursor, base | MoveTarget(to, value));
            cursor += Capturable(value, APiece) &&
                      !(FMateKing && (value == FKingCode || value == -FKingCode));
        }
        break;
    }
    }
    FMoveList->SetEnd(cursor);
}

// ---------------------------------------------------------------------------------------------
// Recording moves

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::Emit(int AFrom, int ATo, int APiece, int ACaptured,
                                         std::uint8_t AMoveType) {
    if constexpr (!AEval && !AAdd) {
        return;
    } else {
        if constexpr (AAdd) {
            if (FDirectAdd && IsPlainMoveType(AMoveType)) {
                if (FMoveList->end() >= FListLimit)
                    RaiseOverflow();
                std::uint8_t priority = 0;
                if constexpr (AEval) {
                    priority = Priority(AFrom, ATo, APiece, ACaptured, AMoveType);
                    if (priority > FMaxPrior)
                        FMaxPrior = priority;
                }
                TMove* cursor = FMoveList->end();
                StoreMove(cursor, MoveBase(AFrom, APiece, AMoveType) |
                                      std::uint64_t{priority} << 8 | MoveTarget(ATo, ACaptured));
                FMoveList->SetEnd(cursor + 1);
                return;
            }
        }
        if (FCustomAddChessMove) {
            SqS = AFrom;
            SqD = ATo;
            PieceS = APiece;
            PieceD = ACaptured;
            FMoveType = AMoveType;
            AddChessMove();
            return;
        }
        RecordMove<AEval, AAdd>(AFrom, ATo, APiece, ACaptured, AMoveType);
    }
}

void TChessMoveGenerator::RaiseOverflow() {
    throw Exception("Move stack overflow");
}

void TChessMoveGenerator::AddChessMove() {
    KV_DISPATCH(RecordMove, SqS, SqD, PieceS, PieceD, FMoveType);
}

template <bool AEval, bool AAdd>
KV_INLINE void TChessMoveGenerator::RecordMove(int AFrom, int ATo, int APiece, int ACaptured,
                                               std::uint8_t AMoveType) {
    if (FMateKing && !MoveIsLegal(AFrom, ATo, AMoveType))
        return;
    if (FMustCapture) {
        if (ACaptured != 0 || AMoveType == mvEnPassant) {
            if (!FRemove[FSide]) {
                FRemove[FSide] = true;
                FMoveCount = 0;
                if (AAdd)
                    FMoveList->Clear();
            }
        } else if (FRemove[FSide]) {
            return;
        }
    }
    if constexpr (AAdd) {
        if (FMoveList->end() >= FMoveList->begin() + FMaxListMoves)
            RaiseOverflow();
        std::uint8_t priority = 0;
        if constexpr (AEval) {
            priority = Priority(AFrom, ATo, APiece, ACaptured, AMoveType);
            if (priority > FMaxPrior)
                FMaxPrior = priority;
        }
        std::uint8_t spare = 0;
        if (AMoveType == mvKingSideCastle || AMoveType == mvQueenSideCastle)
            spare =
                FChessPosition
                    ->Castles()[FSide][AMoveType == mvKingSideCastle ? caKingRook : caQueenRook];
        FMoveList->Append(TMove{sizeof(TMove), priority, static_cast<std::uint8_t>(AFrom),
                                static_cast<std::uint8_t>(ATo), static_cast<std::int8_t>(APiece),
                                static_cast<std::int8_t>(ACaptured), AMoveType, spare});
    }
    ++FMoveCount;
}

std::uint8_t TChessMoveGenerator::Priority(int AFrom, int ATo, int APiece, int ACaptured,
                                           std::uint8_t AMoveType) {
    const auto& material = FEvaluation->Material;
    const auto  value = [&](int APieceCode) {
        const int type = APieceCode < 0 ? -APieceCode : APieceCode;
        return material[type <= TChessEvaluation::MaxCode ? type : 0];
    };
    const int attackers = FAffectedSquares[FSide ^ 1][ATo];
    int       priority;
    if (ACaptured != 0)
        priority = attackers != 0 ? 128 + (value(ACaptured) - value(APiece)) / 32
                                  : 128 + value(ACaptured) / 32;
    else
        priority = attackers != 0 ? 127 - 2 * attackers - value(APiece) / 32
                                  : FEvaluation->Pri[ATo] - FEvaluation->Pri[AFrom] + 127;
    if (AMoveType >= 1 && AMoveType <= 6) {
        priority += (value(AMoveType) - value(APiece)) / 32;
        FCanPromote = true;
    }
    return static_cast<std::uint8_t>(priority);
}

// ---------------------------------------------------------------------------------------------
// Legality

void TChessMoveGenerator::ScanFromKing(int AKing, int AMover) {
    const int* offsets = FOffsets[AMover];
    const int  sign = AMover == 0 ? 1 : -1;
    const int  enemyQueen = -sign * cpQueen;
    for (int d = 0; d < 8; ++d) {
        const int step = offsets[d];
        const int slider = d < 4 ? -sign * cpBishop : -sign * cpRook;
        int       c = AKing + step;
        while (Squares[c] == 0)
            c += step;
        const int value = Squares[c];
        if (value == TSquaredBoard::OffBoard)
            continue;
        if (value == slider || value == enemyQueen) {
            RecordCheck(c, AKing, -step, true);
            continue;
        }
        if (Opposite(value, sign))
            continue;
        // An own piece: pinned when the next piece on the line is an enemy slider of this line.
        const int blocker = c;
        do
            c += step;
        while (Squares[c] == 0);
        if (Squares[c] == slider || Squares[c] == enemyQueen)
            FPinned[blocker] |= AllowedPinByDirection[d];
    }
    for (int d = 8; d < 16; ++d)
        if (Squares[AKing + offsets[d]] == -sign * cpKnight)
            RecordCheck(AKing + offsets[d], AKing, 0, false);
    for (int d = 0; d < 2; ++d)
        if (Squares[AKing + offsets[d]] == -sign * cpPawn)
            RecordCheck(AKing + offsets[d], AKing, 0, false);
}

void TChessMoveGenerator::ScanFromKingByRelations(int AKing, int AMover) {
    const int sign = AMover == 0 ? 1 : -1;
    for (int i = 0; i < FEnemySliderCount; ++i) {
        const int        slider = FEnemySliders[i];
        const TRelation& relation = Relation(AKing, slider);
        if (relation.Step == 0)
            continue;
        const int type = Squares[slider] < 0 ? -Squares[slider] : Squares[slider];
        if (type != cpQueen && relation.Line != (type == cpBishop ? 1 : 2))
            continue;
        // Count what stands between: nothing is a check, one own piece a pin.
        int  blocker = 0;
        bool blocked = false;
        for (int c = AKing + relation.Step; c != slider; c += relation.Step) {
            if (Squares[c] == 0)
                continue;
            if (blocker != 0 || Opposite(Squares[c], sign)) {
                blocked = true;
                break;
            }
            blocker = c;
        }
        if (blocked)
            continue;
        if (blocker == 0) {
            RecordCheck(slider, AKing, -relation.Step, true);
            continue;
        }
        for (int d = 0; d < 8; ++d)
            if (FOffsets[AMover][d] == relation.Step) {
                FPinned[blocker] |= AllowedPinByDirection[d];
                break;
            }
    }
    for (int i = 0; i < FEnemyKnightCount; ++i)
        if (Relation(AKing, FEnemyKnights[i]).Knight)
            RecordCheck(FEnemyKnights[i], AKing, 0, false);
    const int* offsets = FOffsets[AMover];
    for (int d = 0; d < 2; ++d)
        if (Squares[AKing + offsets[d]] == -sign * cpPawn)
            RecordCheck(AKing + offsets[d], AKing, 0, false);
}

bool TChessMoveGenerator::EnemyAttacks(int ACell) const {
    const int  attacker = FSide ^ 1;
    const int* offsets = FOffsets[FSide];
    const int  pawn = attacker == 0 ? cpPawn : -cpPawn;
    if (Squares[ACell + offsets[0]] == pawn || Squares[ACell + offsets[1]] == pawn)
        return true;
    if (FEnemyKing != 0 && Relation(ACell, FEnemyKing).King)
        return true;
    for (int i = 0; i < FEnemyKnightCount; ++i)
        if (Relation(ACell, FEnemyKnights[i]).Knight)
            return true;
    for (int i = 0; i < FEnemySliderCount; ++i) {
        const int        slider = FEnemySliders[i];
        const TRelation& relation = Relation(ACell, slider);
        if (relation.Step == 0)
            continue;
        const int type = Squares[slider] < 0 ? -Squares[slider] : Squares[slider];
        if ((type == cpQueen || relation.Line == (type == cpBishop ? 1 : 2)) &&
            LineIsEmpty(ACell, slider, relation.Step))
            return true;
    }
    return false;
}

bool TChessMoveGenerator::AttackedBy(int ACell, int AAttacker) const {
    // The defender's offsets: the attacker's pawns stand on its forward diagonals.
    const int* offsets = FOffsets[AAttacker ^ 1];
    const int  sign = AAttacker == 0 ? 1 : -1;
    if (Squares[ACell + offsets[0]] == sign * cpPawn ||
        Squares[ACell + offsets[1]] == sign * cpPawn)
        return true;
    for (int d = 8; d < 16; ++d)
        if (Squares[ACell + offsets[d]] == sign * cpKnight)
            return true;
    for (int d = 0; d < 8; ++d)
        if (Squares[ACell + offsets[d]] == sign * FKingCode)
            return true;
    const int queen = sign * cpQueen;
    for (int d = 0; d < 8; ++d) {
        const int step = offsets[d];
        int       c = ACell + step;
        while (Squares[c] == 0)
            c += step;
        if (Squares[c] == queen || Squares[c] == sign * (d < 4 ? cpBishop : cpRook))
            return true;
    }
    return false;
}

void TChessMoveGenerator::RecordCheck(int ACheckerCell, int AKingCell, int AStep, bool ASlider) {
    const int kingSide = FSide ^ 1;
    FKingPos[kingSide] = AKingCell;
    const int index = FCheckingPiecePosition[kingSide][0] == 0 ? 0 : 1;
    FCheckingPiecePosition[kingSide][index] = ACheckerCell;
    // A slider's line goes on behind the king: stepping there stays in check.
    if (ASlider) {
        for (int& banned : FBannedKingCell[kingSide])
            if (banned == 0) {
                banned = AKingCell + AStep;
                break;
            }
    }
    if (FEvaluating) {
        const std::int32_t safety = FEvaluation->KingSafety();
        FSideScore->Add(index == 0 ? -safety : -2 * safety, Squares[ACheckerCell], stAttack);
    }
}

void TChessMoveGenerator::MarkEvasionSquares() {
    const int side = FSide;
    const int checker = FCheckingPiecePosition[side][0];
    const int king = FKingPos[side];
    FEvasionCount = 0;
    FEvasion[checker] = true;
    FEvasionCells[FEvasionCount++] = checker;
    if (!IsSliderCode(Squares[checker]) || FBannedKingCell[side][0] == 0)
        return;
    // The cells between the checker and the king, walking from the king back to the checker.
    const int step = king - FBannedKingCell[side][0];
    for (int c = king + step; c != checker && FEvasionCount < 32; c += step) {
        FEvasion[c] = true;
        FEvasionCells[FEvasionCount++] = c;
    }
}

void TChessMoveGenerator::UnmarkEvasionSquares() {
    for (int i = 0; i < FEvasionCount; ++i)
        FEvasion[FEvasionCells[i]] = false;
    FEvasionCount = 0;
}

bool TChessMoveGenerator::MoveIsLegal(int AFrom, int ATo, std::uint8_t AMoveType) {
    if (AMoveType == mvEnPassant)
        return !FAddMove || EnPassantIsLegal(AFrom, ATo);
    if (FCheckingPiecePosition[FSide][0] == 0)
        return true;
    if (AFrom == FKingPos[FSide] && AMoveType != mvDrop) {
        for (const int banned : FBannedKingCell[FSide])
            if (banned != 0 && ATo == banned)
                return false;
        return true;
    }
    if (FCheckingPiecePosition[FSide][1] != 0)
        return false;
    return FEvasion[ATo];
}

bool TChessMoveGenerator::IsCheckEvasion() {
    return MoveIsLegal(SqS, SqD, FMoveType);
}

bool TChessMoveGenerator::EnPassantIsLegal(int AFrom, int ATo) {
    const int king = FChessPosition->Board().FindKingPos(FSide);
    if (king == 0)
        return true;
    const int victim = ATo - Ofst[4];
    const int checker = FCheckingPiecePosition[FSide][0];
    if (FCheckingPiecePosition[FSide][1] != 0)
        return false;
    // A knight or another pawn giving check is not answered by this capture.
    if (checker != 0 && checker != victim && !IsSliderCode(Squares[checker]))
        return false;
    // Play it on the cells and look for a slider on any line to the king: this catches the rank
    // emptied of both pawns and any line through the captured pawn.
    const std::int8_t pawn = Squares[AFrom];
    const std::int8_t captured = Squares[victim];
    Squares[AFrom] = 0;
    Squares[victim] = 0;
    Squares[ATo] = pawn;
    const bool attacked = SliderAttacks(king, FSide ^ 1);
    Squares[ATo] = 0;
    Squares[victim] = captured;
    Squares[AFrom] = pawn;
    return !attacked;
}

bool TChessMoveGenerator::SliderAttacks(int ACell, int AAttackerSide) const {
    const int sign = AAttackerSide == 0 ? 1 : -1;
    const int bishop = sign * cpBishop;
    const int rook = sign * cpRook;
    const int queen = sign * cpQueen;
    const int s = FChessPosition->Board().SqXC2();
    const int diagonals[4] = {s - 1, s + 1, -s - 1, -s + 1};
    const int lines[4] = {s, -s, 1, -1};
    for (const int step : diagonals) {
        int c = ACell + step;
        while (Squares[c] == 0)
            c += step;
        if (Squares[c] == bishop || Squares[c] == queen)
            return true;
    }
    for (const int step : lines) {
        int c = ACell + step;
        while (Squares[c] == 0)
            c += step;
        if (Squares[c] == rook || Squares[c] == queen)
            return true;
    }
    return false;
}

bool TChessMoveGenerator::RankAttacked(int ACell, int AAttackerSide) const {
    const int sign = AAttackerSide == 0 ? 1 : -1;
    for (const int step : {1, -1}) {
        int c = ACell + step;
        while (Squares[c] == 0)
            c += step;
        if (Squares[c] == sign * cpRook || Squares[c] == sign * cpQueen)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Score

void TChessMoveGenerator::UpdateScore() {
    const std::int32_t s = FScores.Score();
    TEndGameResult     result = erUnknown;
    if (FScores.Scores[0].FTotal <= 1350 && FScores.Scores[1].FTotal <= 1350) {
        TEndGameHash::TRemainPieces remain{};
        bool                        candidate = true;
        const TChessBoard&          board = FChessPosition->Board();
        for (int i = 0; i < board.UsedSquareCount() && candidate; ++i) {
            const int value = board[board.UsedSquares()[i]];
            if (value == 0 || value == TSquaredBoard::OffBoard)
                continue;
            if (value == cpPawn || value == -cpPawn || value > cpKing || value < -cpKing)
                candidate = false;
            else if (++remain[value + 6] > 2)
                candidate = false;
        }
        if (candidate) {
            if (!FEndGameHash)
                FEndGameHash = std::make_unique<TEndGameHash>();
            result = FEndGameHash->GetEndGameResult(remain);
        }
    }
    std::int32_t score = s;
    switch (result) {
    case erUnknown:
        break;
    case erLowMaterial:
        score = 0;
        break;
    case erDraw:
        score = s / 10;
        break;
    case erFirstWin:
        score = s + 16383;
        break;
    case erFirstLose:
        score = s - 16383;
        break;
    }
    SetScore(
        static_cast<std::int16_t>(std::clamp<int>(score, -ScoreMaxCentipawns, ScoreMaxCentipawns)));
}

TGameTermination TChessMoveGenerator::NoMoveTermination() const {
    const int         side = FPosition->Side();
    const TGameResult sideWins = side == 0 ? grWhiteWin : grBlackWin;
    const TGameResult sideLoses = side == 0 ? grBlackWin : grWhiteWin;
    // The variant generators score a game their rules have decided as won or lost for the side
    // to move (giveaway, three checks, the hill, the race, an exploded king, a horde gone).
    if (Score() == WonScore)
        return {sideWins, rcNoPiece};
    if (Score() == LostScore)
        return {sideLoses, rcNoPiece};
    if (CheckingPiecePosition(side, 0) != 0)
        return {sideLoses, rcMates};
    return {grDraw, rcStalemate};
}

void TChessMoveGenerator::ScoreToOutput(IOutputSink& ASink) {
    TOutputSinkDrawing drawing(ASink);
    for (const auto& row : FScores.WriteToOutput()) {
        std::string line = row[0];
        line.resize(std::max<std::size_t>(line.size() + 1, 24), ' ');
        for (int i = 1; i < 4; ++i) {
            std::string cell = row[i];
            if (cell.size() < 10)
                cell.insert(0, 10 - cell.size(), ' ');
            line += cell;
        }
        ASink.Write(line);
        ASink.EndLine();
    }
}

template TMoveList* TChessMoveGenerator::GenerateT<true>();
template TMoveList* TChessMoveGenerator::GenerateT<false>();
