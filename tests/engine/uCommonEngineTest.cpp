#include "engine/uCommonProtocol.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "uEngineTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

TEST(TCommonEngine, DoMovesPlaysEachMoveAndPrefixesAFailure) {
    TStubEngine engine;
    engine.RootMoves().Exclude("a2a3");
    engine.DoMoves("e2e4  e7e5\tg1f3 ");
    EXPECT_EQ(engine.FPlayed, (std::vector<std::string>{"e2e4", "e7e5\tg1f3"}))
        << "only a space ends a move";
    EXPECT_TRUE(engine.RootMoves().AcceptAll()) << "the root moves are cleared";
    EXPECT_EQ(engine.SideToMove(), 0);

    struct TCase {
        const char* Moves;
        const char* Message;
    };
    const TCase Cases[] = {
        {"e2e4  e7e5 e1e8", "(MoveIndex: 3, StringIndex: 16): Illegal move e1e8"},
        {"e1e8 e2e4", "(MoveIndex: 1, StringIndex: 6): Illegal move e1e8"},
        {"  e1e8", "(MoveIndex: 1, StringIndex: 7): Illegal move e1e8"},
    };
    engine.FIllegalMove = "e1e8";
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Moves);
        engine.FPlayed.clear();
        try {
            engine.DoMoves(c.Moves);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
            // The failure is nested with its class, so reporters still know what failed.
            EXPECT_THROW(std::rethrow_if_nested(e), EArgumentException);
        }
    }
    // The moves before the failing one stay played.
    engine.FPlayed.clear();
    EXPECT_THROW(engine.DoMoves("e2e4 e7e5 e1e8 d2d4"), Exception);
    EXPECT_EQ(engine.FPlayed, (std::vector<std::string>{"e2e4", "e7e5"}));
}

TEST(TCommonEngine, GetPerftRefusesDepthsBelowOneAndHoldsThePowerRequest) {
    TStubEngine engine;
    for (int depth : {0, -3}) {
        try {
            engine.GetPerft(depth);
            ADD_FAILURE() << depth;
        } catch (const EArgumentOutOfRangeException& e) {
            EXPECT_STREQ(e.what(), "Perft requires positive number argument.");
        }
    }
    EXPECT_EQ(engine.PowerRequest().Count(), 0);
    // A perft holds the machine awake until its end reaches OnStop; a second end releases
    // nothing more.
    engine.GetPerft(1);
    EXPECT_EQ(engine.PowerRequest().Count(), 1);
    engine.OnStop(engine);
    EXPECT_EQ(engine.PowerRequest().Count(), 0);
    EXPECT_NO_THROW(engine.OnStop(engine));
}

TEST(TCommonEngine, ReadinessEndsTheInitializationTime) {
    TStubEngine engine;
    engine.Initialize();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    engine.SetIsReady(true);
    const TTimeSpan time = engine.InitializationTime();
    EXPECT_GT(time, TTimeSpan());
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    engine.SetIsReady(true);
    EXPECT_EQ(engine.InitializationTime(), time) << "the stopwatch stopped";
}

TEST(TCommonEngine, NewGameAndPositionsClearTheRootMoves) {
    TStubEngine engine;
    engine.PlayMove("e2e4");
    EXPECT_EQ(engine.SideToMove(), 1);
    engine.RootMoves().ExcludeAll();
    engine.NewGame();
    EXPECT_EQ(engine.SideToMove(), 0);
    EXPECT_TRUE(engine.RootMoves().AcceptAll());
    engine.RootMoves().ExcludeAll();
    engine.SetPositionFromString("8/8/8/8/8/8/8/8 w - - 0 1");
    EXPECT_TRUE(engine.RootMoves().AcceptAll());
    engine.RootMoves().ExcludeAll();
    engine.Undo();
    EXPECT_TRUE(engine.RootMoves().AcceptAll());
}

TEST(TNewGameCommand, SetsTheStartPositionThroughTheProtocol) {
    TStubEngine     engine;
    TCommonProtocol protocol;
    protocol.SetInternalEngine(&engine);
    protocol.Initialize();
    auto& command = protocol.Add(std::make_unique<TNewGameCommand>());
    EXPECT_EQ(command.Shortcut(), "NewGame");
    EXPECT_EQ(command.Description(), "Used when the next search will be from a different game.");
    command.SetShortcut("UciNewGame");
    engine.PlayMove("e2e4");
    command.Execute("");
    EXPECT_EQ(engine.SideToMove(), 0);
    EXPECT_THROW(command.Execute("x"), EArgumentException);
}
