#include "app/uConsoleEngine.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uDrawManager.h"
#include "engine/uLevelManager.h"
#include "engine/uOneSecondTimer.h"
#include "engine/uTimeControlLevel.h"
#include "support/uCustomArgument.h"
#include "support/uProjectInfo.h"
#include "uEngineTestSupport.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using TEvents = std::vector<std::string>;

const char* const TimeControlDescription =
    "Info:Time Control: Total Time: 60.000000000, Move Increment: 0.000000000, Free Time: "
    "0.000000000, Remain Moves: 35";

// Waits until the condition holds; the bound only keeps a broken build from hanging.
template <class F> bool WaitUntil(F ACondition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!ACondition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEvents Without(TEvents AEvents, std::string_view APrefix) {
    std::erase_if(AEvents, [&](const std::string& e) { return e.starts_with(APrefix); });
    return AEvents;
}

class TInternalEngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FTimeControl.SetAnalysisInfo(&FEngine.AnalysisInfo());
        FEngine.LevelManager().SetMyRemainTime(TTimeSpan::FromSeconds(60));
    }
    void UseTimeControl() { FEngine.LevelManager().SetMyLevel(&FTimeControl); }
    void UseInfiniteAnalysis() {
        FEngine.LevelManager().SetMyLevel(&FInfinite);
        FEngine.LevelManager().SetInfiniteAnalysis(true);
    }
    TEvents Events() { return FEngine.Recorder().Events(); }
    bool    Idle() { return !FEngine.AnalysisInfo().ElapsedTime().IsRunning(); }

    TStubEngine       FEngine;
    TTimeControlLevel FTimeControl;
    TInfiniteLevel    FInfinite;
};

} // namespace

TEST_F(TInternalEngineFixture, ASearchAnnouncesItsLevelGivesItsMoveAndStops) {
    UseTimeControl();
    FEngine.Start();
    EXPECT_EQ(Events(), (TEvents{"Start", TimeControlDescription, "DrawAMoves:e2e4",
                                 "BestMove:e2e4 ponder", "OnStop"}));
    EXPECT_TRUE(Idle());
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);
    EXPECT_EQ(FEngine.Recorder().Ticks(), 0) << "no progress tick inside the first second";
    // The missing move count became the engine's estimate; the time was spread over it.
    EXPECT_EQ(FTimeControl.MoveCount(), 35);
    EXPECT_GT(FTimeControl.MaximalTime(), TTimeSpan());
    // The analysis stays readable after the search.
    EXPECT_EQ(FEngine.AnalysisInfo().BestMove(), "e2e4");

    // The next search starts from a clean analysis and ponder off is passed on.
    FEngine.Recorder().ClearEvents();
    FEngine.CommonOptions().Ponder().SetValue(false);
    FEngine.FMove = "d2d4";
    FEngine.Start();
    EXPECT_EQ(FEngine.AnalysisInfo().AnalysisCount(), 1);
    EXPECT_EQ(Events().at(3), "BestMove:d2d4");
}

TEST_F(TInternalEngineFixture, WithoutALevelTheBestMoveComesBeforeTheError) {
    try {
        FEngine.Start();
        FAIL() << "started without a level";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "No level is set.");
    }
    EXPECT_EQ(Events(), (TEvents{"Start", "BestMove:- ponder", "OnStop"}));
    EXPECT_TRUE(Idle());
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);

    // Infinite analysis needs no level and announces none.
    FEngine.Recorder().ClearEvents();
    FEngine.LevelManager().SetInfiniteAnalysis(true);
    FEngine.Start();
    EXPECT_EQ(Events(), (TEvents{"Start", "DrawAMoves:e2e4", "BestMove:e2e4 ponder", "OnStop"}));
}

TEST_F(TInternalEngineFixture, ABookMoveEndsTheStartSilentlyUnlessAnalysingInfinitely) {
    UseTimeControl();
    FEngine.FBookMove = "d2d4";
    try {
        FEngine.Start();
        FAIL() << "the search ran after a book move";
    } catch (const EAbort& e) {
        EXPECT_STREQ(e.what(), "Book move found.");
    }
    EXPECT_EQ(Events(),
              (TEvents{"Start", TimeControlDescription, "BestMove:d2d4 ponder", "OnStop"}));

    FEngine.Recorder().ClearEvents();
    FEngine.CommonOptions().OwnBook().SetValue(false);
    FEngine.Start();
    EXPECT_EQ(Events().at(3), "BestMove:e2e4 ponder") << "without the book the search decides";

    FEngine.Recorder().ClearEvents();
    FEngine.CommonOptions().OwnBook().SetValue(true);
    UseInfiniteAnalysis();
    FEngine.Start();
    EXPECT_EQ(Events(), (TEvents{"Start", "DrawAMoves:e2e4", "BestMove:e2e4 ponder", "OnStop"}));
}

TEST_F(TInternalEngineFixture, AThreadedSearchTicksEverySecondAndStopsOnRequest) {
    UseInfiniteAnalysis();
    FEngine.CommonOptions().ShowCurrLine().SetValue(true);
    FEngine.FThreaded = true;
    FEngine.Start();
    EXPECT_FALSE(Idle());
    // The first tick comes a second after the start.
    EXPECT_TRUE(WaitUntil([&] { return FEngine.Recorder().Ticks() >= 1; }));
    EXPECT_GT(FEngine.AnalysisInfo().Nodes(), 0u);
    FEngine.Stop();
    // Returns only after the search gave its best move and released itself.
    FEngine.WaitForCalculationDone(0);
    EXPECT_TRUE(Idle());
    TEvents events = Events();
    EXPECT_NE(std::find(events.begin(), events.end(), "CurrLine:e2e4 e7e5"), events.end());
    // The stop message comes from this thread, the rest from the search thread.
    const auto stopMessage = std::find(events.begin(), events.end(), "Info:Stop Cause: User Abort");
    ASSERT_NE(stopMessage, events.end());
    events.erase(stopMessage);
    EXPECT_EQ(Without(events, "CurrLine:"),
              (TEvents{"Start", "DrawAMoves:e2e4", "BestMove:e2e4 ponder", "OnStop"}));
    FEngine.JoinSearch();
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);
    EXPECT_EQ(FEngine.StopManager().Cause(), scUserAbort);
}

TEST_F(TInternalEngineFixture, StartingARunningEngineEndsTheRunningSearchFirst) {
    UseInfiniteAnalysis();
    FEngine.FThreaded = true;
    FEngine.Start();
    ASSERT_TRUE(WaitUntil([&] { return FEngine.AnalysisInfo().Nodes() > 0; }));
    try {
        FEngine.TInternalEngine::Start();
        FAIL() << "a second search started";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Engine is running.");
    }
    const TEvents events = Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "Start");
    EXPECT_TRUE(events[1].starts_with("BestMove:")) << events[1];
    EXPECT_EQ(events[2], "OnStop");
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);
    // The search itself still ends with its own best move, and releases nothing twice.
    FEngine.Stop();
    FEngine.JoinSearch();
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);
    // The stop message of this thread may come before or after the search's own end.
    EXPECT_EQ(Without(Events(), "Info:Stop Cause").back(), "OnStop");
}

TEST_F(TInternalEngineFixture, PlayModeDecidesOnADrawAnnouncesAndPlaysTheMove) {
    UseTimeControl();
    FEngine.SetDoMoveAfterStop(true);
    FEngine.Output()->SetDebugMode(true);
    FEngine.CommonOptions().ContemptValue().SetValue(0);
    FEngine.FStatus = {-100, sbExact, vcNone, 1};
    FEngine.Start();
    TEvents events = Without(Events(), "OfferDraw"); // the offer itself is a random draw
    EXPECT_EQ(events,
              (TEvents{"Start", TimeControlDescription, "DrawAMoves:e2e4", "BestMove:e2e4 ponder",
                       "Debug:Draw offer probability: 1 / 7", "DoImportMove", "OnStop"}));
    EXPECT_EQ(FEngine.FPlayed, (std::vector<std::string>{"e2e4"}));
    EXPECT_EQ(FEngine.SideToMove(), 1);
    EXPECT_TRUE(FEngine.DrawManager().AcceptDraw());
    FEngine.Recorder().ClearEvents();
    FEngine.OpponentRequireDraw();
    EXPECT_EQ(Events(), (TEvents{"AcceptDraw"}));

    // A search without any line: the null move is announced, nothing is played, and the
    // draw decision of the last game is forgotten.
    FEngine.Recorder().ClearEvents();
    FEngine.FMove.clear();
    FEngine.Start();
    EXPECT_EQ(Events(), (TEvents{"Start", TimeControlDescription, "BestMove:- ponder",
                                 "DoImportMove", "OnStop"}));
    EXPECT_EQ(FEngine.FPlayed.size(), 1u);
    EXPECT_FALSE(FEngine.DrawManager().AcceptDraw());
    FEngine.Recorder().ClearEvents();
    FEngine.OpponentRequireDraw();
    EXPECT_TRUE(Events().empty());
}

TEST_F(TInternalEngineFixture, UpperBoundScoresTakeNoDrawDecision) {
    UseTimeControl();
    FEngine.SetDoMoveAfterStop(true);
    FEngine.FStatus = {-600, sbUpper, vcNone, 1};
    FEngine.Start();
    EXPECT_FALSE(FEngine.DrawManager().AcceptDraw());
    EXPECT_EQ(FEngine.FPlayed, (std::vector<std::string>{"e2e4"}));
}

TEST_F(TInternalEngineFixture, VariantChangesAreAnnouncedOnce) {
    alignas(8) char chess = 0, shogi = 0; // opaque variants: the engine never looks inside
    auto*           first = reinterpret_cast<TGameVariant*>(&chess);
    auto*           second = reinterpret_cast<TGameVariant*>(&shogi);
    FEngine.SetGameVariant(first);
    FEngine.SetGameVariant(first);
    FEngine.FVariantName = "shogi";
    FEngine.SetGameVariant(second);
    FEngine.SetGameVariant(nullptr);
    EXPECT_EQ(FEngine.GameVariant(), nullptr);
    EXPECT_EQ(Events(),
              (TEvents{"Info:Game variant changed to: chess", "Info:Game variant changed to: shogi",
                       "Info:Game variant changed to: N/A"}));
}

TEST_F(TInternalEngineFixture, EngineState) {
    FEngine.SetDoMoveAfterStop(true);
    FEngine.EngineStateToConsole();
    TMaximalDepthLevel depth;
    depth.SetValue(5);
    FEngine.LevelManager().SetMyLevel(&depth);
    FEngine.SetDoMoveAfterStop(false);
    FEngine.LevelManager().SetInfiniteAnalysis(true);
    FEngine.EngineStateToConsole();
    EXPECT_EQ(Events(), (TEvents{"Info:Analyze Mode: false", "Info:Infinite Analysis: false",
                                 "Info:Analyze Mode: true", "Info:Infinite Analysis: true",
                                 "Info:Level: Maximal Depth: 5"}));
}

TEST_F(TInternalEngineFixture, OptionsAndOverheads) {
    EXPECT_EQ(FEngine.Title(), EngineName());
    const char* names[] = {"Ponder",
                           "Own Book",
                           "Book File",
                           "Contempt Value",
                           "Random Play",
                           "Random Value",
                           "Time Usage",
                           "Fixed move time",
                           "Minimal Move Time",
                           "Average Move Overhead",
                           "Maximal Move Overhead",
                           "UCI_ShowCurrLine"};
    ASSERT_EQ(FEngine.Options().Count(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(FEngine.Options().Get(i).Shortcut(), names[i]);

    TAnalysisInfo& info = FEngine.AnalysisInfo();
    EXPECT_EQ(info.AverageMoveOverhead(), TTimeSpan::FromMilliseconds(100));
    EXPECT_EQ(info.MaximalMoveOverhead(), TTimeSpan::FromMilliseconds(2500));
    // A front end's change takes effect at once, without a new time control.
    FEngine.Options().FindByString("Average Move Overhead")->SetValueFromString("30");
    FEngine.Options().FindByString("Maximal Move Overhead")->SetValueFromString("60");
    EXPECT_EQ(info.AverageMoveOverhead(), TTimeSpan::FromMilliseconds(30));
    EXPECT_EQ(info.MaximalMoveOverhead(), TTimeSpan::FromMilliseconds(60));
    EXPECT_FALSE(FEngine.ShowCurrLine());
    FEngine.Options().FindByString("UCI_ShowCurrLine")->SetValueFromString("true");
    EXPECT_TRUE(FEngine.ShowCurrLine());
}

TEST(TInternalEngine, ConsoleModeSearchWritesTheLevelAndTheBestMove) {
    TFakeConsole console(true); // outlives the engine that writes to it
    TStubEngine  engine;
    engine.SetOutput(std::make_unique<TNoProtocolEngineOutput>(console));
    TTimeControlLevel level;
    engine.LevelManager().SetMyLevel(&level);
    engine.LevelManager().SetMyRemainTime(TTimeSpan::FromSeconds(60));
    engine.Start();
    EXPECT_EQ(console.FCalls, (std::vector<TFakeConsole::TCall>{
                                  {"WriteLine", std::string(TimeControlDescription).substr(5)},
                                  {"WriteLine", "Best move: e2e4"}}));
    EXPECT_EQ(engine.PowerRequest().Count(), 0);
}

TEST(TConsoleEngine, GivesTheEngineAConsoleOutput) {
    TStubEngine    engine;
    TConsoleEngine application;
    application.SetInternalEngine(&engine);
    EXPECT_NE(dynamic_cast<TNoProtocolEngineOutput*>(engine.Output()), nullptr);
    application.SetInternalEngine(nullptr);
}
