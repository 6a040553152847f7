#include "games/chess/uChessPositionHash.h"

#include "games/chess/uSquaredBoard.h"
#include "support/uRandomGenerator.h"

namespace {

void Draw(TKvRandomGenerator& AGenerator, THash& AHash) {
    AHash.Index = AGenerator.RandomU4();
    AHash.Code = AGenerator.RandomU8();
}

// One key per code -AMaxCode..AMaxCode for the cell; code 0 is drawn and then zeroed.
template <int AMaxCode>
void DrawCell(TKvRandomGenerator& AGenerator, THash (&ASquares)[2 * AMaxCode + 1][128], int ACell,
              int ALowestCode, int AHighestCode) {
    for (int code = ALowestCode; code <= AHighestCode; ++code) {
        THash& key = ASquares[code + AMaxCode][ACell];
        Draw(AGenerator, key);
        if (code == 0)
            key.Clear();
    }
}

TKvRandomGenerator SeededGenerator() {
    TKvRandomGenerator generator;
    generator.SetSeed(0);
    generator.RandomU4();
    return generator;
}

} // namespace

TChessPositionHash::TChessPositionHash() {
    FSquareKeys = &FSquares[MaxCode][0];
}

void TChessPositionHash::Initialize(const TSquaredBoard& ABoard) {
    std::scoped_lock lock(FLock);
    if (FInitialized.load(std::memory_order_relaxed))
        return;
    TKvRandomGenerator generator = SeededGenerator();
    bool               drawn[128] = {};
    for (int i = 0; i < ABoard.UsedSquareCount(); ++i) {
        const int cell = ABoard.UsedSquares()[i];
        DrawCell<MaxCode>(generator, FSquares, cell, -6, 6);
        drawn[cell] = true;
    }
    Draw(generator, FPlayer);
    for (THash& key : FEnPassant)
        Draw(generator, key);
    for (auto& player : FCastles)
        for (THash& key : player)
            Draw(generator, key);
    for (int cell = 0; cell < 128; ++cell)
        if (!drawn[cell])
            DrawCell<MaxCode>(generator, FSquares, cell, -6, 6);
    for (int cell = 0; cell < 128; ++cell) {
        DrawCell<MaxCode>(generator, FSquares, cell, -MaxCode, -MaxCode);
        DrawCell<MaxCode>(generator, FSquares, cell, MaxCode, MaxCode);
    }
    // The variant state, after every key above.
    for (auto& player : FReserves)
        for (auto& type : player)
            for (THash& key : type)
                Draw(generator, key);
    for (auto& player : FCheckCounts)
        for (THash& key : player)
            Draw(generator, key);
    for (THash& key : FPromoted)
        Draw(generator, key);
    FInitialized.store(true, std::memory_order_release);
}

THash TChessPositionHash::GetHash(const TSquaredBoard& ABoard, int ASide, int AEnPassant,
                                  const TCastles& ACastles) {
    const TSquaredBoard& board = ABoard;
    if (!Initialized())
        Initialize(board);
    THash result;
    if (ASide == 1)
        result.Swap(FPlayer);
    if (AEnPassant != 0)
        result.Swap(FEnPassant[board.X(AEnPassant)]);
    const TCastles& castles = ACastles;
    for (int player = 0; player < 2; ++player) {
        if (castles[player][caKing] == 0)
            continue;
        if (castles[player][caKingRook] != 0)
            result.Swap(FCastles[player][caKingSide]);
        if (castles[player][caQueenRook] != 0)
            result.Swap(FCastles[player][caQueenSide]);
    }
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int piece = board[cell];
        if (piece != 0 && piece >= -MaxCode && piece <= MaxCode)
            result.Swap(SquareKey(piece, cell));
    }
    return result;
}

TShogiPositionHash::TShogiPositionHash() {
    FSquareKeys = &FSquares[MaxCode][0];
}

void TShogiPositionHash::Initialize(const TSquaredBoard& ABoard) {
    std::scoped_lock lock(FLock);
    if (FInitialized.load(std::memory_order_relaxed))
        return;
    TKvRandomGenerator generator = SeededGenerator();
    bool               drawn[128] = {};
    for (int i = 0; i < ABoard.UsedSquareCount(); ++i) {
        const int cell = ABoard.UsedSquares()[i];
        DrawCell<MaxCode>(generator, FSquares, cell, -MaxCode, MaxCode);
        drawn[cell] = true;
    }
    FPlayer.Index = generator.RandomU4();
    FPlayer.Code = generator.RandomU4();
    for (int cell = 0; cell < 128; ++cell)
        if (!drawn[cell])
            DrawCell<MaxCode>(generator, FSquares, cell, -MaxCode, MaxCode);
    for (auto& player : FHandKeys)
        for (int piece = 1; piece <= MaxHandPiece; ++piece)
            for (int count = 1; count <= MaxHandCount; ++count)
                Draw(generator, player[piece][count]);
    FInitialized.store(true, std::memory_order_release);
}

THash TShogiPositionHash::GetHash(const TSquaredBoard& ABoard, int ASide) {
    if (!Initialized())
        Initialize(ABoard);
    THash result;
    if (ASide == 1)
        result.Swap(FPlayer);
    for (int i = 0; i < ABoard.UsedSquareCount(); ++i) {
        const int cell = ABoard.UsedSquares()[i];
        const int piece = ABoard[cell];
        if (piece != 0 && piece >= -MaxCode && piece <= MaxCode)
            result.Swap(SquareKey(piece, cell));
    }
    return result;
}

TChessPositionHash& ChessPositionHash() {
    static TChessPositionHash instance;
    return instance;
}

TShogiPositionHash& ShogiPositionHash() {
    static TShogiPositionHash instance;
    return instance;
}
