#include "engine/uVexdraEngine.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "support/uCustomArgument.h"
#include "uEngineTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class TVexdraEngineFixture : public ::testing::Test {
protected:
    TVexdraEngineFixture() {
        FEngine.SetOutput(std::make_unique<TRecordingOutput>(FEngine.AnalysisInfo()));
        FLevel.SetValue(TTimeSpan::FromSeconds(1));
        FLevel.SetAnalysisInfo(&FEngine.AnalysisInfo());
        FEngine.LevelManager().SetMyLevel(&FLevel);
    }
    TRecordingOutput& Recorder() { return dynamic_cast<TRecordingOutput&>(*FEngine.Output()); }
    // The best move of one request; "-" for the null move. ("Ponder" stays on in this engine.)
    std::string Choose() {
        Recorder().ClearEvents();
        FEngine.Start();
        for (const std::string& event : Recorder().Events())
            if (event.starts_with("BestMove:") && event.ends_with(" ponder"))
                return event.substr(9, event.size() - 9 - 7);
        return "no best move";
    }
    // The moves chosen in ARequests requests, with how often each came.
    std::map<std::string, int> Choices(int ARequests) {
        std::map<std::string, int> choices;
        for (int i = 0; i < ARequests; ++i)
            ++choices[Choose()];
        return choices;
    }
    std::set<std::string> LegalMoves() {
        std::set<std::string> moves;
        TMoveListGuard        guard(FEngine.MoveGenerator());
        for (const TMove& move : guard.List())
            moves.insert(FEngine.Position().MoveToString(move));
        return moves;
    }

    TVexdraEngine  FEngine;
    TMoveTimeLevel FLevel;
};

} // namespace

TEST_F(TVexdraEngineFixture, AnnouncesExactlyThreeOptions) {
    std::vector<std::string> names;
    for (TCustomArgument* option : FEngine.Options().Items())
        names.push_back(option->Shortcut());
    EXPECT_EQ(names, (std::vector<std::string>{"Contempt Value", "Threads", "Perft Hash"}));
    EXPECT_TRUE(FEngine.CommonOptions().Ponder().Value());
    EXPECT_TRUE(FEngine.CommonOptions().OwnBook().Value());
}

// Every legal move of the start position can come, and nothing else; a one-move line with the
// move is reported before the best move.
TEST_F(TVexdraEngineFixture, ChoosesAmongAllLegalMovesWhenNothingCaptures) {
    const std::set<std::string> legal = LegalMoves();
    ASSERT_EQ(legal.size(), 20u);
    std::set<std::string> seen;
    for (const auto& [move, count] : Choices(400))
        seen.insert(move);
    EXPECT_EQ(seen, legal);

    const std::string              move = Choose();
    const std::vector<std::string> events = Recorder().Events();
    EXPECT_NE(std::find(events.begin(), events.end(), "DrawAMoves:" + move), events.end());
    EXPECT_EQ(events.back(), "BestMove:" + move + " ponder");
    EXPECT_EQ(FEngine.PowerRequest().Count(), 0);
}

// The captures are the engine's own choice: it picks among them from the variant's full list,
// and the generator goes on listing by the variant's rules, for the state report and for the
// moves the front end plays.
TEST_F(TVexdraEngineFixture, PlaysOnlyCapturesWhenThereAreAny) {
    struct TCase {
        const char*           Variant;
        const char*           Position;
        std::set<std::string> Captures;
    };
    const TCase Cases[] = {
        {"chess", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", {"e4d5"}},
        {"chess", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", {"e5d6"}},
        // A drop is a quiet move.
        {"crazyhouse", "4k3/8/8/8/8/8/3p4/4K3[N] w - - 0 1", {"e1d2"}},
        {"shogi",
         "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNS1KGSNL b G 5",
         {"8h2b", "8h2b+"}},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Position);
        FEngine.SetGameVariant(GameVariants().FindByName(c.Variant));
        FEngine.SetPositionFromString(c.Position);
        const std::set<std::string> legal = LegalMoves();
        ASSERT_GT(legal.size(), c.Captures.size());
        std::set<std::string> chosen;
        for (const auto& [move, count] : Choices(40))
            chosen.insert(move);
        EXPECT_EQ(chosen, c.Captures);
        EXPECT_FALSE(FEngine.MoveGenerator().MustCapture());
        EXPECT_EQ(LegalMoves(), legal);
    }
    // The state report lists every legal move, and a quiet one can still be played.
    FEngine.SetGameVariant(GameVariants().FindByName("chess"));
    FEngine.SetPositionFromString("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Choose(), "e4d5");
    Recorder().ClearEvents();
    FEngine.EngineStateToConsole();
    const std::vector<std::string> events = Recorder().Events();
    EXPECT_NE(std::find_if(events.begin(), events.end(),
                           [](const std::string& AEvent) {
                               return AEvent.starts_with("Info:7 legal moves: ");
                           }),
              events.end());
    FEngine.PlayMove("e1e2");
    EXPECT_EQ(FEngine.PlayedMoveCount(), 1u);
}

// The root-move filter of the request: the choice comes from the accepted moves only, the null
// move when none is accepted, also when only quiet moves are accepted while captures exist.
TEST_F(TVexdraEngineFixture, ChoosesOnlyAcceptedMoves) {
    FEngine.RootMoves().ExcludeAll();
    FEngine.RootMoves().Include("e2e4");
    FEngine.RootMoves().Include("D2D4");
    const std::map<std::string, int> choices = Choices(200);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_GT(choices.at("e2e4"), 0);
    EXPECT_GT(choices.at("d2d4"), 0);

    FEngine.RootMoves().ExcludeAll();
    FEngine.RootMoves().Include("e7e5");
    EXPECT_EQ(Choose(), "-");

    FEngine.SetPositionFromString("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    FEngine.RootMoves().ExcludeAll();
    FEngine.RootMoves().Include("e1e2");
    EXPECT_EQ(Choose(), "-");
    FEngine.RootMoves().Clear();
    FEngine.RootMoves().Exclude("e4d5");
    EXPECT_EQ(Choose(), "-");
}

TEST_F(TVexdraEngineFixture, GivesTheNullMoveWithoutLegalMoves) {
    for (const char* fen : {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}) {
        SCOPED_TRACE(fen);
        FEngine.SetPositionFromString(fen);
        EXPECT_EQ(Choose(), "-");
        EXPECT_EQ(Recorder().Events().back(), "BestMove:- ponder");
    }
}

// The reported score is from the side to move's view.
TEST_F(TVexdraEngineFixture, ReportsTheScoreForTheSideToMove) {
    for (const char* side : {"w", "b"}) {
        SCOPED_TRACE(side);
        FEngine.SetPositionFromString(std::string("4k3/8/8/8/8/8/QQQ5/4K3 ") + side + " - - 0 1");
        Choose();
        const std::optional<TAnalysis> line = FEngine.AnalysisInfo().LastAnalysis();
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(line->Status.ScoreBound, sbExact);
        EXPECT_EQ(line->Status.MoveCount, 1);
        if (std::string(side) == "w")
            EXPECT_GT(line->Status.Score, 1000);
        else
            EXPECT_LT(line->Status.Score, -1000);
    }
}

// In play mode the chosen move is also played on the engine's board.
TEST_F(TVexdraEngineFixture, PlaysItsMoveInPlayMode) {
    FEngine.SetDoMoveAfterStop(true);
    FEngine.SetPositionFromString("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Choose(), "e4d5");
    EXPECT_EQ(FEngine.PlayedMoveCount(), 1u);
    EXPECT_EQ(FEngine.SideToMove(), 1);
    EXPECT_EQ(FEngine.LastMove(), "e4d5");
}
