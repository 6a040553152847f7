#pragma once

#include "games/chess/uChessGameVariant.h"
#include "support/uRandomGenerator.h"

#include <memory>

// Start positions numbered like the Chess960 scheme, generalised to the board width: bishops on
// opposite colours, then queen, then the knights and the rook-king-rook pattern.
class TChess960RandomPosition {
public:
    static void Generate(std::uint32_t AId, TSquaredBoard& Board);
};

// Bishops on opposite colours, the rest of the back row in any order (0 .. 2879 on 8 columns).
class TShuffleChessRandomPosition {
public:
    static void Generate(std::uint32_t AId, TSquaredBoard& Board);
};

// Each bit of the number puts one pawn on the second or the third row.
class TRandom256ChessRandomPosition {
public:
    static void Generate(std::uint32_t AId, TSquaredBoard& Board);
};

// A variant whose every start position draws a new setup number. Owns its random generator
// unless SetRandomGenerator gave it another one.
class TRandomChessGameVariant : public TChessGameVariant {
public:
    TRandomChessGameVariant();
    void              SetRandomGenerator(TRandomGenerator* AValue) { FRandomGenerator = AValue; }
    TRandomGenerator* RandomGenerator() const { return FRandomGenerator; }
    std::unique_ptr<TChessBoard> CreateBoard() override;
    // The start position with setup number AId (no random draw).
    std::unique_ptr<TPosition> CreateStartPosition(std::uint32_t AId);
    using TChessGameVariant::CreateStartPosition;
    // The number of setups: numbers run from 0 to SetupCount() - 1.
    virtual std::uint32_t SetupCount() const = 0;

protected:
    virtual void ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const = 0;

private:
    std::unique_ptr<TKvRandomGenerator> FOwnRandomGenerator;
    TRandomGenerator*                   FRandomGenerator = nullptr;
    // Set while CreateStartPosition(AId) builds a given setup.
    std::int64_t FFixedId = -1;
};

class TChess960GameVariant final : public TRandomChessGameVariant {
public:
    TChess960GameVariant();
    std::shared_ptr<ICustomWriter> CreateForsythEdwardsNotationWriter() override;
    std::uint32_t                  SetupCount() const override { return 960; }

protected:
    void ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const override;
    void PrepareStartPosition(TChessPosition& APosition) override;
};

class TShuffleChessGameVariant final : public TRandomChessGameVariant {
public:
    TShuffleChessGameVariant();
    std::uint32_t SetupCount() const override { return 2880; }

protected:
    void ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const override;
};

class TRandom256ChessGameVariant final : public TRandomChessGameVariant {
public:
    TRandom256ChessGameVariant();
    std::uint32_t SetupCount() const override { return 256; }

protected:
    void ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const override;
    void PrepareStartPosition(TChessPosition& APosition) override;
};
