#pragma once

#include "games/uPosition.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

class TSquaredBoard;

enum TCastlePiece : std::uint8_t { caKingRook, caQueenRook, caKing };
enum TCastleType : std::uint8_t { caKingSide, caQueenSide };
// Per player: the cell of the rook that may castle king side, queen side (0 = no right), and the
// cell where the king must stand to castle.
using TCastles = std::array<std::array<std::uint8_t, 3>, 2>;

// The keys a position XORs into its hash while moves are played. Square keys are addressed by
// signed piece code and cell index: SquareKey(piece, cell).
struct TPositionHashKeys {
    THash                 FPlayer;
    std::array<THash, 23> FEnPassant{};
    THash                 FCastles[2][2]{};
    // The row of piece code 0; rows of negative codes lie before it.
    const THash* FSquareKeys = nullptr;

    const THash& SquareKey(int APiece, int ACell) const {
        return FSquareKeys[APiece * 128 + ACell];
    }
};

// The process-wide chess keys. Drawn once, from seed 0, so every run has the same keys: first the
// cells of the first position's board in its playing-square order, then the side-to-move,
// en passant and castling keys, then the remaining cells up to index 127 (so a position string
// of another board size still gets distinct keys) and last the code 7 placed by a default
// promotion. The keys of the variant state come last (reserves, check counters, promoted
// marks), so the keys above are the same for every variant. After drawing, the table is only
// read, by any number of threads.
class TChessPositionHash final : public TPositionHashKeys {
public:
    static constexpr int MaxCode = 7;
    // Reserve keys per player, piece type and count; larger counts reuse them cyclically.
    static constexpr int ReserveCounts = 64;
    static constexpr int CheckCounts = 16;

    TChessPositionHash();
    TChessPositionHash(const TChessPositionHash&) = delete;
    TChessPositionHash& operator=(const TChessPositionHash&) = delete;

    // Draws the keys for ABoard's playing-square order; only the first call draws.
    void Initialize(const TSquaredBoard& ABoard);
    bool Initialized() const { return FInitialized.load(std::memory_order_acquire); }
    // Side, en passant column, castling rights, and every piece on a playing cell of ABoard.
    THash GetHash(const TSquaredBoard& ABoard, int ASide, int AEnPassant, const TCastles& ACastles);

    void SwapSideToMove(THash& AHash) const { AHash.Swap(FPlayer); }
    void SwapCastle(THash& AHash, int APlayer, int ACastleType) const {
        AHash.Swap(FCastles[APlayer][ACastleType]);
    }
    void SwapEnPassant(THash& AHash, int AColumn) const { AHash.Swap(FEnPassant[AColumn]); }
    void SwapSquare(THash& AHash, int APiece, int ASquareIndex) const {
        AHash.Swap(SquareKey(APiece, ASquareIndex));
    }
    void SwapMove(THash& AHash, int APiece, int AFromSquareIndex, int AToSquareIndex) const {
        AHash.Swap(SquareKey(APiece, AFromSquareIndex));
        AHash.Swap(SquareKey(APiece, AToSquareIndex));
    }

    // -- variant state --
    // A reserve of ACount pieces contributes the keys of the counts 1..ACount, so taking a piece
    // in or out of it toggles one key: ReserveKey(player, type, count with that piece).
    const THash& ReserveKey(int APlayer, int AType, int ACount) const {
        return FReserves[APlayer][AType][ACount & (ReserveCounts - 1)];
    }
    // The key of a side's number of checks still to give, in three-check.
    const THash& CheckCountKey(int APlayer, int ACount) const {
        return FCheckCounts[APlayer][ACount & (CheckCounts - 1)];
    }
    // The key of a piece that came from a promotion standing on ACell (crazyhouse).
    const THash& PromotedKey(int ACell) const { return FPromoted[ACell & 127]; }

private:
    THash             FSquares[2 * MaxCode + 1][128]{};
    THash             FReserves[2][7][ReserveCounts]{};
    THash             FCheckCounts[2][CheckCounts]{};
    THash             FPromoted[128]{};
    std::atomic<bool> FInitialized{false};
    std::mutex        FLock;
};

// The process-wide shogi keys: piece codes -14..14, no en passant or castling keys; the
// side-to-move code has only its low 32 bits. Pieces in hand have one key per player, piece and
// count, drawn after all the other keys (the key of count 0 is zero).
class TShogiPositionHash final : public TPositionHashKeys {
public:
    static constexpr int MaxCode = 14;
    // Hands hold the unpromoted pieces 1..7; no position holds more than this many of one kind.
    static constexpr int MaxHandPiece = 7;
    static constexpr int MaxHandCount = 18;

    TShogiPositionHash();
    TShogiPositionHash(const TShogiPositionHash&) = delete;
    TShogiPositionHash& operator=(const TShogiPositionHash&) = delete;

    void Initialize(const TSquaredBoard& ABoard);
    bool Initialized() const { return FInitialized.load(std::memory_order_acquire); }
    // Side, and every piece on a playing cell of ABoard.
    THash GetHash(const TSquaredBoard& ABoard, int ASide);

    void SwapSideToMove(THash& AHash) const { AHash.Swap(FPlayer); }
    void SwapSquare(THash& AHash, int APiece, int ASquareIndex) const {
        AHash.Swap(SquareKey(APiece, ASquareIndex));
    }
    void SwapMove(THash& AHash, int APiece, int AFromSquareIndex, int AToSquareIndex) const {
        AHash.Swap(SquareKey(APiece, AFromSquareIndex));
        AHash.Swap(SquareKey(APiece, AToSquareIndex));
    }
    // APlayer holding ACount pieces of kind APiece (1..MaxHandPiece, 0..MaxHandCount).
    const THash& HandKey(int APlayer, int APiece, int ACount) const {
        return FHandKeys[APlayer][APiece][ACount];
    }

private:
    THash             FSquares[2 * MaxCode + 1][128]{};
    THash             FHandKeys[2][MaxHandPiece + 1][MaxHandCount + 1]{};
    std::atomic<bool> FInitialized{false};
    std::mutex        FLock;
};

TChessPositionHash& ChessPositionHash();
TShogiPositionHash& ShogiPositionHash();
