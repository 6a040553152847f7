#pragma once

#include "support/uRandomGenerator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSquaredBoard;

enum TScoreType : std::uint8_t { stMaterial, stSpace, stAttack, stSafety };
constexpr int ScoreTypeCount = 4;
// The display names: the enumerator names without their prefix.
extern const char* const ScoreTypeNames[ScoreTypeCount];

// One side's score, accumulated term by term while the generator walks the board.
struct TPreciseScore {
    std::int32_t FPieceValues[7][ScoreTypeCount];
    std::int32_t FValues[ScoreTypeCount];
    std::int32_t FTotal;

    void Clear() { *this = TPreciseScore{}; }
    // Terms of piece codes above 6 (other families) count under index 0.
    void Add(std::int32_t AValue, int APiece, TScoreType AType) {
        const int type = APiece < 0 ? -APiece : APiece;
        FPieceValues[type <= 6 ? type : 0][AType] += AValue;
        FTotal += AValue;
    }
    void Add(std::int32_t AValue, TScoreType AType) {
        FValues[AType] += AValue;
        FTotal += AValue;
    }
};

struct TPreciseScores {
    TPreciseScore Scores[2];
    std::int32_t  Complexity;

    void Clear() { *this = TPreciseScores{}; }
    // First player minus second player.
    std::int32_t Score() const { return Scores[0].FTotal - Scores[1].FTotal; }
    // The breakdown as rows of name, White, Black and Total (White minus Black), header first:
    // one row per score type, then one per piece and score type ("Piece 1 Material").
    std::vector<std::array<std::string, 4>> WriteToOutput() const;
};

// Evaluation parameters; owns a random generator for the optional noise of RandomValue.
class TEvaluation {
public:
    TEvaluation();
    virtual ~TEvaluation() = default;
    TEvaluation(const TEvaluation&) = delete;
    TEvaluation& operator=(const TEvaluation&) = delete;

    virtual void        Update() = 0;
    std::int32_t        RandomValue() const { return FRandomValue; }
    void                SetRandomValue(std::int32_t AValue) { FRandomValue = AValue; }
    TKvRandomGenerator& RandomGenerator() { return *FRandomGenerator; }

protected:
    std::unique_ptr<TKvRandomGenerator> FRandomGenerator;
    std::int32_t                        FRandomValue = 0;
};

class TSquaredBoardEvaluation : public TEvaluation {
public:
    const TSquaredBoard* SquaredBoard() const { return FSquaredBoard; }
    // Takes the board's geometry and recomputes the tables.
    void SetSquaredBoard(const TSquaredBoard* AValue);

    // Centrality per cell: 1 on the edge, growing towards the centre.
    std::array<std::uint8_t, 256> Pri{};

protected:
    const TSquaredBoard* FSquaredBoard = nullptr;
};

// The chess evaluation tables the move generator accumulates from.
class TChessEvaluation final : public TSquaredBoardEvaluation {
public:
    static constexpr int MaxCode = 7;

    TChessEvaluation();
    void         Update() override;
    std::int32_t GetMoveBonus(int AMoveCount) const {
        if (AMoveCount < 0)
            return FMoveBonus[0];
        return FMoveBonus[AMoveCount < 25 ? AMoveCount : 24];
    }
    // Activity of APiece reaching a cell holding AContent (both signed).
    std::int16_t PieceActivity(int APiece, int AContent) const {
        if (APiece > MaxCode || APiece < -MaxCode || AContent > MaxCode || AContent < -MaxCode)
            return 0;
        return PieceActivities[APiece + MaxCode][AContent + MaxCode];
    }

    bool         ReuseCapturedPieces() const { return FReuseCapturedPieces; }
    std::int32_t MaterialWeight() const { return FMaterialWeight; }
    std::int32_t PieceActivityWeight() const { return FPieceActivityWeight; }
    std::int32_t PawnStructureWeight() const { return FPawnStructureWeight; }
    std::int32_t PassedPawnsWeight() const { return FPassedPawnsWeight; }
    std::int32_t KingSafety() const { return FKingSafety; }
    // Each setter recomputes the tables.
    void SetReuseCapturedPieces(bool AValue);
    void SetMaterialWeight(std::int32_t AValue);
    void SetPieceActivityWeight(std::int32_t AValue);
    void SetPawnStructureWeight(std::int32_t AValue);
    void SetPassedPawnsWeight(std::int32_t AValue);
    void SetKingSafety(std::int32_t AValue);

    // Indexed by piece type; codes above 6 have no value.
    std::array<std::int32_t, MaxCode + 1> Material{};
    std::int16_t                          PieceActivities[2 * MaxCode + 1][2 * MaxCode + 1]{};

private:
    bool         FReuseCapturedPieces = false;
    std::int16_t FMoveBonus[25]{};
    std::int32_t FMaterialWeight = 100;
    std::int32_t FPieceActivityWeight = 100;
    std::int32_t FPawnStructureWeight = 0;
    std::int32_t FPassedPawnsWeight = 0;
    std::int32_t FKingSafety = 0;
};

enum TEndGameResult : std::uint8_t { erUnknown, erLowMaterial, erDraw, erFirstWin, erFirstLose };

// Recognises a few drawn and won material balances without pawns.
class TEndGameHash {
public:
    // Piece counts indexed by signed chess code + 6.
    using TRemainPieces = std::array<std::int32_t, 13>;

    TEndGameHash();
    TEndGameResult GetEndGameResult(const TRemainPieces& ARemainPieces) const;

private:
    struct TItem {
        std::uint32_t  Key = 0;
        TEndGameResult Result = erUnknown;
    };
    static std::uint32_t Key(const TRemainPieces& ACounts, bool AMirrored);

    std::array<TItem, 256> FEndGameHashItems{};
};
