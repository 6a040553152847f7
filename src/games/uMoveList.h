#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

// Kinds of move carried in TMove::MoveType. Values 2..6 are chess promotions to that piece code,
// 9, 11, 12 (and the other shogi codes) shogi promotions.
enum TChessMoveType : std::uint8_t {
    mvNormal = 0,
    mvDefaultPromotion = 7,
    mvDrop = 15,
    mvKingSideCastle = 16,
    mvQueenSideCastle = 17,
    mvEnPassant = 18,
    mvDoubleStep = 19
};

// The 8-byte move record of the chess and shogi families. Size is 8 in generated moves and 0 in
// moves parsed from text. For castling, Spare holds the castling rook's origin cell (0 when
// unknown), so the move can be written as king-takes-rook without the position.
struct TMove {
    std::uint8_t Size;
    std::uint8_t Priority;
    std::uint8_t FromSquare;
    std::uint8_t ToSquare;
    std::int8_t  Piece;
    std::int8_t  CapturedPiece;
    std::uint8_t MoveType;
    std::uint8_t Spare;
};
static_assert(sizeof(TMove) == 8);
static_assert(std::is_trivially_copyable_v<TMove>);

inline bool IsCastling(const TMove& AMove) {
    return AMove.MoveType == mvKingSideCastle || AMove.MoveType == mvQueenSideCastle;
}

// A move that takes a piece: one on its target cell, or the pawn passed by an en passant move.
inline bool TakesPiece(const TMove& AMove) {
    return AMove.CapturedPiece != 0 || AMove.MoveType == mvEnPassant;
}

// True when AParsed (from StringToMove) names the generated move AGenerated: same squares and
// kind of move, and the same piece for drops.
bool IsSameMove(const TMove& AGenerated, const TMove& AParsed);

class TMoveStack;

// A list of moves carved from a TMoveStack arena; the moves follow the header directly. Lives
// from Generate to the matching RemovePrevious.
class TMoveList {
public:
    TMove* Add(std::uint8_t AMoveSize = sizeof(TMove)) {
        TMove* move = FAddMovePointer;
        move->Size = AMoveSize;
        FAddMovePointer =
            reinterpret_cast<TMove*>(reinterpret_cast<std::uint8_t*>(move) + AMoveSize);
        Size += AMoveSize;
        ++Count;
        return move;
    }
    // Appends a whole 8-byte record in one store.
    void Append(const TMove& AMove) {
        *FAddMovePointer++ = AMove;
        Size += sizeof(TMove);
        ++Count;
    }
    // Appends without updating Count and Size, for generators that add many moves in a row;
    // Seal brings both up to date.
    void Push(const TMove& AMove) { *FAddMovePointer++ = AMove; }
    // Moves the end to AEnd, after moves written there directly; Seal follows.
    void SetEnd(TMove* AEnd) { FAddMovePointer = AEnd; }
    void Seal() {
        Count = static_cast<std::uint32_t>(FAddMovePointer - FStartMovePointer);
        Size = HeaderSize + Count * static_cast<std::uint32_t>(sizeof(TMove));
    }
    void Clear() {
        FAddMovePointer = FStartMovePointer;
        Count = 0;
        Size = HeaderSize;
    }
    TMove* FirstMove() {
        if (Count == 0)
            return nullptr;
        Index = 0;
        FGetMovePointer = reinterpret_cast<TMove*>(
            reinterpret_cast<std::uint8_t*>(FStartMovePointer) + FStartMovePointer->Size);
        return FStartMovePointer;
    }
    TMove* NextMove() {
        ++Index;
        if (Index >= Count) {
            Index = Count;
            return nullptr;
        }
        TMove* move = FGetMovePointer;
        FGetMovePointer =
            reinterpret_cast<TMove*>(reinterpret_cast<std::uint8_t*>(move) + move->Size);
        return move;
    }
    // Valid because all moves of one list have the same size.
    TMove* Get(std::uint32_t AIndex) {
        return reinterpret_cast<TMove*>(reinterpret_cast<std::uint8_t*>(FStartMovePointer) +
                                        AIndex * FStartMovePointer->Size);
    }
    TMove* begin() { return FStartMovePointer; }
    TMove* end() { return FAddMovePointer; }
    void   SetStartMovePointer(TMove* AMove) {
          FStartMovePointer = AMove;
          FAddMovePointer = AMove;
    }

    static constexpr std::uint32_t HeaderSize = 48;

    std::uint32_t Size;  // bytes used, header included
    std::uint32_t Count; // number of moves
    TMoveList*    LastMoveList;
    std::uint32_t Index; // iteration index

private:
    friend class TMoveStack;
    TMove* FStartMovePointer;
    TMove* FGetMovePointer;
    TMove* FAddMovePointer;
};
static_assert(sizeof(TMoveList) == TMoveList::HeaderSize);

// Owns the 128 KiB arena in which the move lists of one generator are stacked; one owner thread.
// A list is only started when a worst-case list still fits, so the arena never overruns: deep
// recursion raises "Move stack overflow" instead.
class TMoveStack {
public:
    static constexpr std::size_t ArenaSize = 131072;

    TMoveStack();
    TMoveStack(const TMoveStack&) = delete;
    TMoveStack& operator=(const TMoveStack&) = delete;

    // A new empty list on top, with room for AMaxMoves moves of 8 bytes.
    TMoveList* GetNewMoveList(std::size_t AMaxMoves) {
        std::uint8_t* start =
            FLastMoveList == nullptr
                ? FMemory.get()
                : reinterpret_cast<std::uint8_t*>(FLastMoveList) + FLastMoveList->Size;
        if (start + TMoveList::HeaderSize + AMaxMoves * sizeof(TMove) > FMemory.get() + ArenaSize)
            RaiseOverflow();
        auto* list = reinterpret_cast<TMoveList*>(start);
        list->Size = TMoveList::HeaderSize;
        list->Count = 0;
        list->Index = 0;
        list->LastMoveList = FLastMoveList;
        list->FGetMovePointer = nullptr;
        list->SetStartMovePointer(reinterpret_cast<TMove*>(start + TMoveList::HeaderSize));
        FLastMoveList = list;
        return list;
    }
    void RemovePrevious() {
        assert(FLastMoveList != nullptr);
        FLastMoveList = FLastMoveList->LastMoveList;
    }
    TMoveList* LastMoveList() const { return FLastMoveList; }

private:
    [[noreturn]] static void RaiseOverflow();

    std::unique_ptr<std::uint8_t[]> FMemory;
    TMoveList*                      FLastMoveList = nullptr;
};
