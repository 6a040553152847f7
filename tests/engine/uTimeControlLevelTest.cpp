#include "engine/uTimeControlLevel.h"

#include "engine/uAnalysisInfo.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TTimeSpan Ms(std::int64_t AMilliseconds) {
    return TTimeSpan::FromMilliseconds(AMilliseconds);
}

// The search clock stays stopped, so the raw search time is 0 and the time with overhead is
// exactly the average move overhead: every time test below is exact.
class TLevelFixture : public ::testing::Test {
protected:
    void SetUp() override { FInfo.Clear(); }
    void SetState(std::int32_t ADepth, std::uint64_t ANodes, TTimeSpan AElapsedWithOverhead) {
        FInfo.SetDepth(ADepth);
        FInfo.SetNodes(ANodes);
        FInfo.SetAverageMoveOverhead(AElapsedWithOverhead);
    }
    TAnalysisInfo FInfo;
};

} // namespace

TEST(TTimeControlLevel, Allocation) {
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    struct TCase {
        const char*  Name;
        TTimeSpan    Remaining;
        TTimeSpan    Increment;
        TTimeSpan    Overhead;
        std::int32_t MoveCount;
        std::int32_t Usage;
        TTimeSpan    Average;
        TTimeSpan    Maximal;
    };
    const TCase Cases[] = {
        // 57.5 s over 41 moves: X = 3 * 57.5 s / 41.
        {"60 s, 35 moves, 85 %", Ms(60000), Ms(0), Ms(2500), 35, 85, TTimeSpan(1402439024),
         TTimeSpan(4207317073)},
        {"no time left", Ms(0), Ms(0), Ms(2500), 35, 85, Ms(0), Ms(0)},
        // Only the increments are left: X = 3 * 40 s / 41, clamped to nothing left now.
        {"time below the overhead", Ms(2000), Ms(1000), Ms(2500), 35, 85, TTimeSpan(975609756),
         Ms(0)},
        {"negative clock", Ms(-120), Ms(0), Ms(100), 35, 85, Ms(0), Ms(0)},
        // X is three times the time left; the maximum is clamped to it, the average is a third.
        {"one move at 100 %", Ms(10000), Ms(0), Ms(2500), 1, 100, Ms(7500), Ms(7500)},
        {"with increment", Ms(10000), Ms(2000), Ms(500), 20, 100, Ms(2375), Ms(7125)},
        {"no move count spreads over one move", Ms(3000), Ms(0), Ms(0), 0, 100, Ms(3000), Ms(3000)},
        {"usage 0 counts as 1 %", Ms(3000), Ms(0), Ms(0), 1, 0, Ms(30), Ms(90)},
        {"saturating", TTimeSpan(Max), TTimeSpan(Max), Ms(0), 1000, 1, TTimeSpan(Max / 3),
         TTimeSpan(Max)},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        TTimeControlLevel level;
        level.SetIncrementTime(c.Remaining);
        level.SetMoveIncrementTime(c.Increment);
        level.SetMaximalMoveOverhead(c.Overhead);
        level.SetMoveCount(c.MoveCount);
        level.SetTimeUsage(c.Usage);
        level.SetMoveIndex(0);
        EXPECT_EQ(level.AverageTime(), c.Average);
        EXPECT_EQ(level.MaximalTime(), c.Maximal);
    }
}

TEST(TTimeControlLevel, Descriptions) {
    TTimeControlLevel control;
    control.SetIncrementTime(Ms(60000));
    control.SetMoveIncrementTime(Ms(1500));
    control.SetFreeTime(Ms(0));
    control.SetMoveCount(35);
    EXPECT_EQ(control.GetAsString(),
              "Time Control: Total Time: 60.000000000, Move Increment: 1.500000000, Free Time: "
              "0.000000000, Remain Moves: 35");
    control.SetIncrementTime(Ms(-120));
    EXPECT_EQ(control.IncrementTime(), Ms(0)) << "a clock below zero is no time left";
    control.SetFreeTime(Ms(-1));
    EXPECT_EQ(control.FreeTime(), Ms(0)) << "a byoyomi below zero is none";
    TTimeLevel limits;
    limits.SetMinimalTime(Ms(50));
    limits.SetAverageTime(Ms(1000));
    limits.SetMaximalTime(Ms(3000));
    EXPECT_EQ(limits.GetAsString(),
              "Time Limits: Min: 0.050000000 | Avg: 1.000000000 | Max: 3.000000000");
    TMoveTimeLevel moveTime;
    moveTime.SetValue(Ms(3000));
    EXPECT_EQ(moveTime.GetAsString(), "Move Time: 3.000000000");
    TNodesLevel nodes;
    nodes.SetValue(100000);
    EXPECT_EQ(nodes.GetAsString(), "Nodes 100000");
    TMaximalDepthLevel depth;
    depth.SetValue(7);
    EXPECT_EQ(depth.GetAsString(), "Maximal Depth: 7");
    TWinInLevel winIn;
    winIn.SetValue(2 * 3); // mate in 3
    EXPECT_EQ(winIn.GetAsString(), "WinIn 6");
    EXPECT_EQ(TInfiniteLevel().GetAsString(), "Infinite");
}

TEST_F(TLevelFixture, TimeLevelTests) {
    struct TCase {
        const char*   Name;
        std::int32_t  Depth;
        std::uint64_t Nodes;
        std::int64_t  ElapsedMs; // with overhead
        bool          Fixed;
        std::int64_t  MinimalMs;
        bool          ChangedMove;
        bool          StopDepth, StopMove, StopNode;
    };
    // Average 10 s, maximum 30 s.
    const TCase Cases[] = {
        {"nothing finished", 0, 0, 40000, false, 0, false, false, false, false},
        {"early", 2, 1000, 4000, false, 0, false, false, false, false},
        {"half the average gone", 2, 1000, 6000, false, 0, false, true, false, false},
        {"twice the average", 2, 1000, 20001, false, 0, false, true, true, false},
        {"exactly twice is not over", 2, 1000, 20000, false, 0, false, true, false, false},
        {"maximum reached", 2, 1000, 30000, false, 0, false, true, true, true},
        {"node count between checks", 2, 1500, 30000, false, 0, false, true, true, false},
        {"depth 1 has no move or node test", 1, 1000, 30000, false, 0, false, true, false, false},
        {"best move just changed", 2, 1000, 25000, false, 0, true, true, false, false},
        {"minimal time not reached", 2, 1000, 40000, false, 1, false, false, false, false},
        {"fixed: only the node test, at the average", 2, 1000, 10000, true, 0, false, false, false,
         true},
        {"fixed, below the average", 2, 1000, 9999, true, 0, false, false, false, false},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        FInfo.Clear();
        SetState(c.Depth, c.Nodes, Ms(c.ElapsedMs));
        if (c.ChangedMove)
            FInfo.SetBestMove("e2e4");
        TTimeLevel level;
        level.SetAnalysisInfo(&FInfo);
        level.SetAverageTime(Ms(10000));
        level.SetMaximalTime(Ms(30000));
        level.SetMinimalTime(Ms(c.MinimalMs));
        level.SetFixedMoveTime(c.Fixed);
        EXPECT_EQ(level.GetStopDepth(), c.StopDepth);
        EXPECT_EQ(level.GetStopMove(), c.StopMove);
        EXPECT_EQ(level.GetStopNode(), c.StopNode);
        EXPECT_FALSE(level.GetStopAnalysis());
    }
}

TEST_F(TLevelFixture, ABadBestMoveKeepsSearchingTheDepth) {
    SetState(2, 0, Ms(0));
    FInfo.AddAnalysis({136, sbExact, vcNone, 1}, {"e2e4"});
    SetState(3, 1000, Ms(25000));
    FInfo.AddAnalysis({100, sbExact, vcNone, 1}, {"e2e4"});
    ASSERT_TRUE(FInfo.ActualBestMoveIsBad());
    ASSERT_FALSE(FInfo.ChangedMove());
    TTimeLevel level;
    level.SetAnalysisInfo(&FInfo);
    level.SetAverageTime(Ms(10000));
    level.SetMaximalTime(Ms(30000));
    EXPECT_FALSE(level.GetStopMove());
}

TEST_F(TLevelFixture, MoveTimeLevelTests) {
    struct TCase {
        TLevelValueType Type;
        std::int32_t    Depth;
        std::int64_t    ElapsedMs;
        bool            StopDepth, StopNode;
    };
    // Value 3 s; the raw search time is 0 and the next depth is estimated to take no time.
    const TCase Cases[] = {
        {lvtEqual, 2, 2999, false, false},   {lvtEqual, 2, 3000, false, true},
        {lvtEqual, 0, 3000, false, true},    {lvtMaximal, 2, 3000, false, true},
        {lvtMaximal, 2, 3001, true, true},   {lvtMaximal, 0, 9000, false, true},
        {lvlAverage, 2, 6000, false, false}, {lvlAverage, 2, 6001, true, false},
        {lvtMinimal, 2, 9000, false, false},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.Type) << " depth " << c.Depth << " " << c.ElapsedMs);
        SetState(c.Depth, 0, Ms(c.ElapsedMs));
        TMoveTimeLevel level;
        level.SetAnalysisInfo(&FInfo);
        level.SetValueType(c.Type);
        level.SetValue(Ms(3000));
        EXPECT_EQ(level.GetStopDepth(), c.StopDepth);
        EXPECT_EQ(level.GetStopNode(), c.StopNode);
        if (c.Type == lvtEqual) {
            EXPECT_FALSE(level.GetStopMove());
        }
    }
    // A minimal move time stops at a depth once the raw search time reached it.
    SetState(1, 0, Ms(0));
    TMoveTimeLevel minimal;
    minimal.SetAnalysisInfo(&FInfo);
    minimal.SetValueType(lvtMinimal);
    minimal.SetValue(Ms(0));
    EXPECT_TRUE(minimal.GetStopDepth());
    minimal.SetValue(Ms(1));
    EXPECT_FALSE(minimal.GetStopDepth());
}

TEST_F(TLevelFixture, NodesLevelTests) {
    struct TCase {
        TLevelValueType Type;
        std::uint64_t   Value;
        bool            StopDepth, StopNode;
    };
    // Depth 0, 100 nodes, 10 root moves: the next depth is estimated at 10 nodes.
    const TCase Cases[] = {
        {lvtEqual, 100, false, true},    {lvtEqual, 101, false, false},
        {lvtMinimal, 100, true, false},  {lvtMinimal, 101, false, false},
        {lvtMaximal, 100, true, true},   {lvtMaximal, 109, true, false},
        {lvtMaximal, 110, false, false}, {lvlAverage, 54, true, false},
        {lvlAverage, 55, false, false},
    };
    FInfo.SetMoveCount(10);
    for (const TCase& c : Cases) {
        SCOPED_TRACE(testing::Message() << int(c.Type) << " " << c.Value);
        SetState(0, 100, Ms(0));
        TNodesLevel level;
        level.SetAnalysisInfo(&FInfo);
        level.SetValueType(c.Type);
        level.SetValue(c.Value);
        EXPECT_EQ(level.GetStopDepth(), c.StopDepth);
        EXPECT_EQ(level.GetStopNode(), c.StopNode);
    }
}

TEST_F(TLevelFixture, DepthLevelsStopAtTheirDepth) {
    TWinInLevel winIn; // go mate 3
    winIn.SetValue(6);
    TMaximalDepthLevel maximal;
    maximal.SetValue(6);
    TInfiniteLevel infinite;
    for (TCustomLevel* level : std::initializer_list<TCustomLevel*>{&winIn, &maximal, &infinite}) {
        EXPECT_FALSE(level->GetStopDepth()) << "no analysis information";
        level->SetAnalysisInfo(&FInfo);
    }
    SetState(5, 0, Ms(0));
    EXPECT_FALSE(winIn.GetStopDepth());
    EXPECT_FALSE(maximal.GetStopDepth());
    SetState(6, 0, Ms(0));
    EXPECT_TRUE(winIn.GetStopDepth());
    EXPECT_TRUE(maximal.GetStopDepth());
    EXPECT_FALSE(infinite.GetStopDepth());
    EXPECT_FALSE(infinite.GetStopNode());
}
