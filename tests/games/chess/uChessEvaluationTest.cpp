#include "games/chess/uChessEvaluation.h"

#include "games/chess/uSquaredBoard.h"

#include <gtest/gtest.h>

TEST(TChessEvaluation, BuildsItsTablesFromTheWeights) {
    TChessEvaluation evaluation;
    const int        bonus[25] = {0, 1, 2, 3,  4,  5,  6,  6,  7,  7,  8,  8, 9,
                                  9, 9, 9, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(evaluation.GetMoveBonus(i), bonus[i]) << i;
    EXPECT_EQ(evaluation.GetMoveBonus(-3), 0);
    EXPECT_EQ(evaluation.GetMoveBonus(200), 10);
    EXPECT_EQ(evaluation.Material[1], 100);
    EXPECT_EQ(evaluation.Material[5], 876);
    EXPECT_EQ(evaluation.Material[6], 350);
    EXPECT_EQ(evaluation.PieceActivity(2, 0), 10);
    EXPECT_EQ(evaluation.PieceActivity(6, 3), 16) << "a king beside its own piece";
    EXPECT_EQ(evaluation.PieceActivity(1, -5), 876 / 15);
    EXPECT_EQ(evaluation.PieceActivity(-1, 5), 876 / 15) << "the second player mirrors";
    EXPECT_EQ(evaluation.PieceActivity(-6, 0), -10);
    EXPECT_EQ(evaluation.PieceActivity(9, 0), 0) << "other families' codes have no value";

    evaluation.SetMaterialWeight(50);
    evaluation.SetPieceActivityWeight(150);
    EXPECT_EQ(evaluation.Material[3], 117) << "234 / 2, halves away from zero";
    EXPECT_EQ(evaluation.PieceActivity(2, 0), 15);
    evaluation.SetReuseCapturedPieces(true);
    EXPECT_EQ(evaluation.Material[4], 75);
}

TEST(TChessEvaluation, RatesCentralityFromTheEdge) {
    TSquaredBoard board;
    board.SetSymmetryType(stLineSymmetry);
    board.SetSize(8, 8);
    TChessEvaluation evaluation;
    evaluation.SetSquaredBoard(&board);
    EXPECT_EQ(evaluation.Pri[board.XYToI(0, 0)], 1);
    EXPECT_EQ(evaluation.Pri[board.XYToI(1, 6)], 2);
    EXPECT_EQ(evaluation.Pri[board.XYToI(3, 4)], 4);
    EXPECT_EQ(evaluation.Pri[board.XYToI(4, 3)], 4);
}

TEST(TChessEvaluation, AddsNoiseOnlyWhenAsked) {
    TChessEvaluation evaluation;
    evaluation.SetRandomValue(10);
    evaluation.RandomGenerator().SetSeed(5);
    evaluation.Update();
    for (int type = 1; type <= 6; ++type) {
        const int base[7] = {0, 100, 237, 234, 444, 876, 350};
        EXPECT_GE(evaluation.Material[type], base[type] * 90 / 100 - 1);
        EXPECT_LE(evaluation.Material[type], base[type] * 110 / 100 + 1);
    }
}

TEST(TEndGameHash, RecognisesMaterialBalancesAndTheirMirrors) {
    TEndGameHash table;
    const auto   counts = [](std::initializer_list<int> APieces) {
        TEndGameHash::TRemainPieces result{};
        for (const int piece : APieces)
            ++result[piece + 6];
        return result;
    };
    EXPECT_EQ(table.GetEndGameResult(counts({6, -6})), erLowMaterial);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 2, -6})), erLowMaterial);
    EXPECT_EQ(table.GetEndGameResult(counts({6, -6, -3})), erLowMaterial);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 4, -6, -4})), erDraw);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 5, -6, -4})), erFirstWin);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 4, -6, -5})), erFirstLose);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 3, 2, -6})), erFirstWin);
    EXPECT_EQ(table.GetEndGameResult(counts({6, -6, -3, -3})), erFirstLose);
    EXPECT_EQ(table.GetEndGameResult(counts({6, 5, 5, -6})), erUnknown);
}

TEST(TPreciseScores, BreaksTheScoreDown) {
    TPreciseScores scores{};
    scores.Scores[0].Add(100, 1, stMaterial);
    scores.Scores[1].Add(30, -2, stSpace);
    scores.Scores[1].Add(5, stSafety);
    EXPECT_EQ(scores.Score(), 65);
    const auto rows = scores.WriteToOutput();
    ASSERT_EQ(rows.size(), 1u + 4 + 6 * 4);
    EXPECT_EQ(rows[0], (std::array<std::string, 4>{"Name", "White", "Black", "Total"}));
    EXPECT_EQ(rows[4], (std::array<std::string, 4>{"Safety", "0", "5", "-5"}));
    EXPECT_EQ(rows[5], (std::array<std::string, 4>{"Piece 1 Material", "100", "0", "100"}));
    EXPECT_EQ(rows[10], (std::array<std::string, 4>{"Piece 2 Space", "0", "30", "-30"}));
}
