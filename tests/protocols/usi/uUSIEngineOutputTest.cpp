#include "protocols/usi/uUSIEngineOutput.h"

#include "protocols/uUCITestSupport.h"

#include <gtest/gtest.h>

// Mate scores count plies in USI and moves in UCI; everything else is written alike.
TEST(TUSIEngineOutput, WritesMateScoresInPlies) {
    struct TCase {
        TScore      Score;
        TScoreBound Bound;
        const char* Usi;
        const char* Uci;
    };
    const TCase Cases[] = {
        {32766, sbExact, "mate 1", "mate 1"},
        {32765, sbExact, "mate 2", "mate 1"},
        {32001, sbExact, "mate 766", "mate 383"},
        {-32766, sbExact, "mate -1", "mate -1"},
        {-32765, sbLower, "mate -2 lowerbound", "mate -1 lowerbound"},
        {-32001, sbUpper, "mate -766 upperbound", "mate -383 upperbound"},
        {32000, sbExact, "cp 32000", "cp 32000"},
        {-25, sbUpper, "cp -25 upperbound", "cp -25 upperbound"},
        {32767, sbExact, "+inf", "+inf"},
        {-32767, sbExact, "\u2013inf", "\u2013inf"},
        {-32768, sbLower, "none lowerbound", "none lowerbound"},
    };
    TFakeConsole     console{true};
    TUSIEngineOutput output(console);
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Score);
        EXPECT_EQ(output.ScoreToStr(c.Score, c.Bound), c.Usi);
        EXPECT_EQ(UciScoreText(c.Score, c.Bound), c.Uci);
    }
}

TEST(TUSIEngineOutput, ResignsWithoutAMove) {
    TFakeConsole     console{true};
    TAnalysisInfo    info;
    TUSIEngineOutput output(console);
    output.SetAnalysisInfo(&info);
    output.ShowBestMove(false);
    EXPECT_EQ(TakeLines(console),
              (std::vector<std::string>{"info time 0 nodes 0", "bestmove resign"}));
    info.AddAnalysis({12, sbExact, vcNone, 1}, {"P*5e"});
    output.DrawAMoves();
    output.ShowBestMove(false);
    const std::vector<std::string> lines = TakeLines(console);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "info depth 0 seldepth 0 multipv 1 time 0 nodes 0 nps 0 score cp 12 pv P*5e");
    EXPECT_EQ(lines[2], "bestmove P*5e");
}
