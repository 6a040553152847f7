#include "engine/uStopManager.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "uEngineTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

// A level whose answers the test sets.
class TScriptedLevel final : public TCustomLevel {
public:
    bool        GetStopNode() override { return StopNode; }
    bool        GetStopMove() override { return StopMove; }
    bool        GetStopAnalysis() override { return StopAnalysis; }
    bool        GetStopDepth() override { return StopDepth; }
    std::string GetAsString() const override { return "Scripted"; }
    bool        StopNode = false, StopMove = false, StopAnalysis = false, StopDepth = false;
};

class TStopManagerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FLevels.SetMyLevel(&FLevel);
        FManager.SetLevelManager(&FLevels);
        FManager.SetAnalysisInfo(&FInfo);
        FManager.SetEngineOutput(&FOutput);
        FInfo.Clear();
        FInfo.SetMoveCount(20);
    }
    // A finished depth whose last line has AScore.
    void Depth(std::int32_t ADepth, TScore AScore) {
        FInfo.SetDepth(ADepth);
        FInfo.AddAnalysis({AScore, sbExact, vcNone, 1}, {"e2e4"});
    }

    TAnalysisInfo    FInfo;
    TRecordingOutput FOutput{FInfo};
    TScriptedLevel   FLevel;
    TLevelManager    FLevels;
    TStopManager     FManager;
};

} // namespace

TEST(TStopManager, CauseTexts) {
    const char* texts[] = {
        "None",       "User Abort",    "No Choise",     "No Increment",      "Win Score",
        "Lose Score", "Level On Node", "Level On Move", "Level On Analysis", "Level On Depth"};
    for (int i = scNone; i <= scLevelOnDepth; ++i)
        EXPECT_EQ(StopCauseText(TStopCause(i)), texts[i]);
}

TEST_F(TStopManagerFixture, UpdateStopDepthCauses) {
    struct TCase {
        const char*  Name;
        bool         Infinite;
        std::int32_t LevelMaxDepth;
        std::int32_t LimitMaxDepth;
        std::int32_t MoveCount;
        TScore       Score;
        bool         LevelStops;
        TStopCause   Cause;
    };
    // The finished depth is 5.
    const TCase Cases[] = {
        {"running", false, 99, 99, 20, 0, false, scNone},
        {"maximal depth", false, 5, 99, 20, 0, false, scLevelOnDepth},
        {"maximal depth also in infinite analysis", true, 5, 99, 20, 0, false, scLevelOnDepth},
        {"infinite analysis ignores everything else", true, 99, 5, 1, -32766, true, scNone},
        {"sd limit", false, 99, 5, 20, 0, false, scLevelOnDepth},
        {"one legal move", false, 99, 99, 1, 0, false, scNoChoise},
        {"lost", false, 99, 99, 20, -32001, false, scLoseScore},
        {"not lost yet", false, 99, 99, 20, -32000, false, scNone},
        {"no score is not a loss", false, 99, 99, 20, ScoreNone, false, scNone},
        {"level", false, 99, 99, 20, 0, true, scLevelOnDepth},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        FLevels.SetInfiniteAnalysis(c.Infinite);
        FManager.SetLevelMaxDepth(c.LevelMaxDepth);
        FManager.SetLimitMaxDepth(c.LimitMaxDepth);
        FManager.Start();
        FInfo.SetMoveCount(c.MoveCount);
        FLevel.StopDepth = c.LevelStops;
        Depth(5, c.Score);
        FManager.UpdateStopDepth();
        EXPECT_EQ(FManager.Cause(), c.Cause);
    }
}

TEST_F(TStopManagerFixture, UpdateStopDepthWithoutLevelKeepsRunning) {
    FLevels.SetMyLevel(nullptr);
    FManager.Start();
    Depth(5, 0);
    FManager.UpdateStopDepth();
    FManager.UpdateStopMove();
    FManager.UpdateStopAnalysis();
    FManager.UpdateStopNode();
    EXPECT_EQ(FManager.Cause(), scNone);
}

TEST_F(TStopManagerFixture, AFoundWinLimitsTheDepth) {
    // A mate score 32761 leaves 4 plies worth searching.
    FManager.Start();
    Depth(2, 32761);
    FManager.UpdateStopAnalysis();
    EXPECT_EQ(FManager.Cause(), scWinScore);
    EXPECT_EQ(FManager.MaxDepth(), 4);
    EXPECT_EQ(FOutput.Events(),
              (std::vector<std::string>{"Info:Maximal Depth: 4", "Info:Stop Cause: Win Score"}));

    // In infinite analysis the search goes on until the depth passes the new maximum.
    FLevels.SetInfiniteAnalysis(true);
    FManager.Start();
    EXPECT_EQ(FManager.MaxDepth(), 99);
    FManager.UpdateStopAnalysis();
    EXPECT_EQ(FManager.Cause(), scNone);
    FManager.UpdateStopDepth();
    EXPECT_EQ(FManager.Cause(), scNone);
    Depth(4, 32761);
    FManager.UpdateStopDepth();
    EXPECT_EQ(FManager.Cause(), scLevelOnDepth);
    FManager.Start();
    Depth(5, 32761);
    FManager.UpdateStopAnalysis();
    EXPECT_EQ(FManager.Cause(), scWinScore);
}

TEST_F(TStopManagerFixture, LevelAnswersGiveTheirCauseUnlessAnalysingInfinitely) {
    struct TCase {
        bool TScriptedLevel::*Flag;
        void (TStopManager::*Update)();
        TStopCause Cause;
    };
    const TCase Cases[] = {
        {&TScriptedLevel::StopNode, &TStopManager::UpdateStopNode, scLevelOnNode},
        {&TScriptedLevel::StopMove, &TStopManager::UpdateStopMove, scLevelOnMove},
        {&TScriptedLevel::StopAnalysis, &TStopManager::UpdateStopAnalysis, scLevelOnAnalysis},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(StopCauseText(c.Cause));
        for (bool infinite : {false, true}) {
            FLevel.StopNode = FLevel.StopMove = FLevel.StopAnalysis = false;
            FLevel.*c.Flag = true;
            FLevels.SetInfiniteAnalysis(infinite);
            FManager.Start();
            Depth(3, 0);
            (FManager.*c.Update)();
            EXPECT_EQ(FManager.Cause(), infinite ? scNone : c.Cause);
        }
    }
}

TEST_F(TStopManagerFixture, AbortKeepsTheFirstCause) {
    FManager.Start();
    FManager.Abort();
    EXPECT_EQ(FManager.Cause(), scUserAbort);
    FManager.Start();
    FLevel.StopMove = true;
    FManager.UpdateStopMove();
    FManager.Abort();
    EXPECT_EQ(FManager.Cause(), scLevelOnMove);
    EXPECT_EQ(FOutput.Events(), (std::vector<std::string>{"Info:Stop Cause: User Abort",
                                                          "Info:Stop Cause: Level On Move"}));
}

TEST_F(TStopManagerFixture, NodesPerSecondLimit) {
    struct TCase {
        double        Limit;
        std::uint64_t SleepAfterNodes;
    };
    for (const TCase c : {TCase{0, 0}, TCase{-5, 0}, TCase{59, 1}, TCase{60, 2}, TCase{120, 3}}) {
        FManager.SetLimitNodesPerSecond(c.Limit);
        EXPECT_EQ(FManager.SleepAfterNodes(), c.SleepAfterNodes) << c.Limit;
    }

    // 50 nodes at 1000 per second: the search is held back to at least 50 ms.
    FManager.SetLimitNodesPerSecond(1000);
    FManager.Start();
    FInfo.ElapsedTime().Restart();
    FInfo.SetNodes(51); // 51 nodes is a multiple of the check interval 17
    FManager.UpdateStopNode();
    EXPECT_GE(FInfo.ElapsedTime().Elapsed(), TTimeSpan::FromMilliseconds(51));
    EXPECT_EQ(FManager.Cause(), scNone);

    // A stop from another thread ends a long throttle wait.
    FManager.SetLimitNodesPerSecond(1);
    FManager.Start();
    FInfo.ElapsedTime().Restart();
    FInfo.SetNodes(3600);
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FManager.Abort();
    });
    FManager.UpdateStopNode();
    stopper.join();
    EXPECT_EQ(FManager.Cause(), scUserAbort);
    EXPECT_LT(FInfo.ElapsedTime().Elapsed(), TTimeSpan::FromSeconds(600));
}
