#include "protocols/uUCITestSupport.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using TLines = std::vector<std::string>;

class TUCIEngineOutputFixture : public ::testing::Test {
protected:
    TUCIEngineOutputFixture() : FOutput(FConsole) { FOutput.SetAnalysisInfo(&FInfo); }
    TLines Lines() { return TakeLines(FConsole); }

    TFakeConsole     FConsole{true};
    TAnalysisInfo    FInfo;
    TUCIEngineOutput FOutput;
};

} // namespace

TEST_F(TUCIEngineOutputFixture, SearchLines) {
    FInfo.SetDepth(3);
    FInfo.SetSelDepth(7);
    FInfo.SetNodes(1234);
    FInfo.AddAnalysis({-15, sbUpper, vcNone, 2}, {"e2e4", "", "g1f3"});
    FOutput.DrawAMoves();
    FOutput.DrawDepth();
    FInfo.SetHashNew(500);
    FInfo.SetHashPos(1000);
    FInfo.SetEndgameTableBasesHits(9);
    FOutput.DrawNodes();
    FOutput.DrawCurrLine("e2e4 e7e5");
    FOutput.TellGUIInfo("Game variant changed to: chess");
    FOutput.TellGUIError("Command Go: bad\nsecond line");
    FOutput.TellGUIDebug("Side to move: 1");
    FOutput.OfferDraw();
    FOutput.AcceptDraw();
    const TLines expected = {
        // No time has passed: nps 0 in the line, no nps piece in the statistics.
        "info depth 3 seldepth 7 multipv 1 time 0 nodes 1234 nps 0 score cp -15 upperbound pv "
        "e2e4 0000",
        "info depth 3 time 0 nodes 1234",
        "info time 0 nodes 1234 hashfull 500 tbhits 9",
        "info currline e2e4 e7e5",
        "info string Game variant changed to: chess",
        // Every line of a message keeps the prefix, or the front end reads it as a command.
        "info string Error: Command Go: bad",
        "info string second line",
        "info string Debug: Side to move: 1",
        "info string I offer a draw!",
        "info string I accept a draw!",
    };
    EXPECT_EQ(Lines(), expected);
    EXPECT_THROW(FOutput.DoImportMove(), ENotSupportedException);
}

TEST_F(TUCIEngineOutputFixture, BestMoveLine) {
    FOutput.ShowBestMove(true);
    EXPECT_EQ(Lines(), (TLines{"info time 0 nodes 0", "bestmove 0000"}));

    FInfo.AddAnalysis({35, sbExact, vcNone, 1}, {"e2e4"});
    FOutput.ShowBestMove(true);
    EXPECT_EQ(Lines().back(), "bestmove e2e4");

    FInfo.AddAnalysis({35, sbExact, vcNone, 2}, {"d2d4", "d7d5"});
    FOutput.ShowBestMove(true);
    EXPECT_EQ(Lines().back(), "bestmove d2d4 ponder d7d5");
    FOutput.ShowBestMove(false);
    EXPECT_EQ(Lines().back(), "bestmove d2d4");

    // The ponder move must answer the best move; a line that begins otherwise has none.
    FInfo.SetBestMove("c2c4");
    FOutput.ShowBestMove(true);
    EXPECT_EQ(Lines().back(), "bestmove c2c4");
}

TEST_F(TUCIEngineOutputFixture, HeldBestMoveIsWrittenOnceAtRelease) {
    FInfo.AddAnalysis({0, sbExact, vcNone, 1}, {"g1f3"});
    FOutput.HoldBestMove();
    FOutput.ShowBestMove(false);
    EXPECT_EQ(Lines(), TLines{"info time 0 nodes 0"});
    EXPECT_TRUE(FOutput.BestMoveHeld());
    FOutput.ReleaseBestMove();
    EXPECT_EQ(Lines(), TLines{"bestmove g1f3"});
    FOutput.ReleaseBestMove();
    EXPECT_EQ(Lines(), TLines{});
    // Released before the search ended: the best move goes out when it comes.
    FOutput.HoldBestMove();
    FOutput.ReleaseBestMove();
    FOutput.ShowBestMove(false);
    EXPECT_EQ(Lines().back(), "bestmove g1f3");
}

TEST_F(TUCIEngineOutputFixture, CurrentMoveAndSelectiveDepthModes) {
    FOutput.Start();
    // Disabled: nothing.
    FOutput.DrawMove1();
    FOutput.DrawSelDepth();
    EXPECT_EQ(Lines(), TLines{});

    // Every second: the tick writes what changed, a first current move included.
    FOutput.SetShowCurrentMoveEverySecond(true);
    FOutput.SetShowSelectiveDepthEverySecond(true);
    FOutput.OneSecond();
    EXPECT_EQ(Lines(), (TLines{"info time 0 nodes 0", "info currmove 0000 currmovenumber 0"}));
    FInfo.SetCurrentMove(4, "b1c3");
    FInfo.SetSelDepth(5);
    // Between ticks only after two seconds; no time has passed here.
    FOutput.DrawMove1();
    FOutput.DrawSelDepth();
    EXPECT_EQ(Lines(), TLines{});
    FOutput.OneSecond();
    EXPECT_EQ(Lines(), (TLines{"info time 0 nodes 0", "info currmove b1c3 currmovenumber 5",
                               "info depth 0 seldepth 5"}));

    // On change: every change at once, a repeat never.
    FOutput.SetShowCurrentMoveEverySecond(false);
    FOutput.SetShowCurrentMoveOnChange(true);
    FOutput.SetShowSelectiveDepthEverySecond(false);
    FOutput.SetShowSelectiveDepthOnChange(true);
    FOutput.DrawMove1();
    FInfo.SetCurrentMove(5, "g1f3");
    FOutput.DrawMove1();
    FInfo.SetSelDepth(6);
    FOutput.DrawSelDepth();
    FOutput.DrawSelDepth();
    FOutput.OneSecond();
    EXPECT_EQ(Lines(), (TLines{"info currmove g1f3 currmovenumber 6", "info depth 0 seldepth 6",
                               "info time 0 nodes 0"}));

    // A new search starts the comparison afresh.
    FOutput.Start();
    FOutput.DrawMove1();
    EXPECT_EQ(Lines(), TLines{"info currmove g1f3 currmovenumber 6"});
}

TEST_F(TUCIEngineOutputFixture, ProgressFromTheTimerThreadNeverMixesLines) {
    FInfo.ElapsedTime().Start();
    FOutput.SetShowCurrentMoveOnChange(true);
    std::thread timer([this] {
        for (int i = 0; i < 200; ++i)
            FOutput.OneSecond();
    });
    for (int i = 0; i < 200; ++i) {
        FInfo.SetCurrentMove(i % 20, "e2e4");
        FInfo.NextNode();
        FOutput.DrawMove1();
    }
    timer.join();
    FInfo.ElapsedTime().Stop();
    for (const std::string& line : Lines())
        EXPECT_TRUE(line.starts_with("info time ") || line.starts_with("info currmove e2e4 "))
            << line;
}
