#include "engine/uMyInternalEngine.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uStopManager.h"
#include "games/uGameTestHelpers.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "support/uCommonOutputFormat.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "uEngineTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class TMyInternalEngineFixture : public ::testing::Test {
protected:
    TMyInternalEngineFixture() {
        FEngine.SetOutput(std::make_unique<TRecordingOutput>(FEngine.AnalysisInfo()));
    }
    TRecordingOutput& Recorder() { return dynamic_cast<TRecordingOutput&>(*FEngine.Output()); }
    std::string       Fen() {
              std::shared_ptr<ICustomWriter> writer =
                  FEngine.GameVariant()->CreateForsythEdwardsNotationWriter();
              writer->SetPosition(&FEngine.Position());
              return writer->AsString();
    }
    void UseVariant(const char* AName) { FEngine.SetGameVariant(GameVariants().FindByName(AName)); }
    // The message of what AAction raises; empty when it raises nothing.
    template <class F> std::string Failure(F AAction) {
        try {
            AAction();
        } catch (const Exception& e) {
            return e.what();
        }
        return {};
    }

    TMyInternalEngine FEngine;
};

} // namespace

// A move that is not legal in the position, or that cannot be read, raises a message naming it
// and changes neither the board nor the side to move nor the played moves.
TEST_F(TMyInternalEngineFixture, PlaysOnlyLegalMoves) {
    struct TCase {
        const char* Fen;
        const char* Move;
        const char* Message;
    };
    constexpr TCase Cases[] = {
        {StartFen, "e2e5", "Illegal move: e2e5"},
        {StartFen, "e7e5", "Illegal move: e7e5"}, // the opponent's pawn
        {StartFen, "d1d3", "Illegal move: d1d3"}, // through its own pawn
        {StartFen, "e1f1", "Illegal move: e1f1"}, // onto its own piece
        {StartFen, "e3e4", "First square of move e3e4 is empty"},
        {StartFen, "e2", "Move e2 too short"},
        {"k7/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8", "Illegal move: e7e8"}, // promotion without piece
        {"k7/8/8/8/8/8/r7/K7 w - - 0 1", "a1b2", "Illegal move: a1b2"},  // into check
        {"r3k2r/8/8/8/8/8/8/R3K2R w kq - 0 1", "e1c1", "Illegal move: e1c1"}, // no right
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Fen) + " " + c.Move);
        FEngine.SetPositionFromString(c.Fen);
        const std::string before = Fen();
        EXPECT_EQ(Failure([&] { FEngine.PlayMove(c.Move); }), c.Message);
        EXPECT_EQ(Fen(), before);
        EXPECT_EQ(FEngine.SideToMove(), 0);
        EXPECT_EQ(FEngine.PlayedMoveCount(), 0u);
    }
}

// Castling in each form a front end sends, and quiet moves also after the move choice made
// captures compulsory on the engine's generator.
TEST_F(TMyInternalEngineFixture, AcceptsEveryFormOfALegalMove) {
    for (const char* castling : {"e1g1", "O-O", "0-0", "e1h1"}) {
        SCOPED_TRACE(castling);
        FEngine.SetPositionFromString("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
        FEngine.PlayMove(castling);
        EXPECT_EQ(Fen(), "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1");
        EXPECT_EQ(FEngine.SideToMove(), 1);
        EXPECT_EQ(FEngine.LastMove(), castling);
    }
}

// A position string or a move list that fails leaves the previous game as it was, with the
// moves played in it, which can still be taken back.
TEST_F(TMyInternalEngineFixture, KeepsTheGameWhenAPositionRequestFails) {
    FEngine.SetPositionWithMoves("", "d2d4 d7d5 c2c4");
    const std::string before = Fen();
    ASSERT_EQ(FEngine.SideToMove(), 1);

    EXPECT_EQ(Failure([&] { FEngine.SetPositionWithMoves("", "e2e4 e7e5 e1e3"); }),
              "(MoveIndex: 3, StringIndex: 15): Illegal move: e1e3");
    EXPECT_NE(Failure([&] { FEngine.SetPositionWithMoves("8/8/9/8 w - - 0 1", ""); }), "");
    EXPECT_NE(Failure([&] { FEngine.SetPositionFromString("rnbqkbnr/pppppppp/8/8/8 w KQkq"); }),
              "");
    EXPECT_EQ(Fen(), before);
    EXPECT_EQ(FEngine.SideToMove(), 1);
    EXPECT_EQ(FEngine.PlayedMoveCount(), 3u);
    FEngine.Undo();
    FEngine.Undo();
    FEngine.Undo();
    EXPECT_EQ(Fen(), StartFen);

    FEngine.SetPositionWithMoves("4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1d2 e8d7");
    EXPECT_EQ(Fen(), "8/3k4/8/8/8/8/3K4/8 w - - 2 2");
    EXPECT_EQ(FEngine.PlayedMoveCount(), 2u);
}

// Undo takes back the last played move and the side to move with it; a new position has no
// moves to take back.
TEST_F(TMyInternalEngineFixture, UndoesPlayedMovesOnly) {
    const std::string message = "Number of pop calls is bigger then number of push calls.";
    EXPECT_EQ(Failure([&] { FEngine.Undo(); }), message);
    FEngine.DoMoves("e2e4 c7c5");
    FEngine.Undo();
    EXPECT_EQ(FEngine.SideToMove(), 1);
    EXPECT_EQ(FEngine.LastMove(), "e2e4");
    EXPECT_EQ(Fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    FEngine.SetStartPos();
    EXPECT_EQ(Failure([&] { FEngine.Undo(); }), message);
    FEngine.DoMoves("g1f3");
    FEngine.SetPositionFromString(StartFen);
    EXPECT_EQ(Failure([&] { FEngine.Undo(); }), message);
}

// The side to move comes from the position: Black starts in Dunsany's chess.
TEST_F(TMyInternalEngineFixture, TakesTheSideToMoveFromThePosition) {
    UseVariant("dunsany");
    EXPECT_EQ(FEngine.SideToMove(), 1);
    FEngine.PlayMove("e7e5");
    EXPECT_EQ(FEngine.SideToMove(), 0);
    FEngine.SetStartPos();
    EXPECT_EQ(FEngine.SideToMove(), 1);
    std::int32_t side = 0;
    FEngine.ReadPosition("4k3/8/8/8/8/8/PPPPPPPP/8 b - - 0 1", side);
    EXPECT_EQ(side, 1);
}

// A random setup belongs to a game: the start position repeats it until a new game draws another.
TEST_F(TMyInternalEngineFixture, DrawsARandomSetupOncePerGame) {
    UseVariant("chess960");
    const std::string setup = Fen();
    FEngine.SetPositionWithMoves("", "");
    EXPECT_EQ(Fen(), setup);
    FEngine.SetStartPos();
    EXPECT_EQ(Fen(), setup);
    bool changed = false;
    for (int game = 0; game < 20 && !changed; ++game) {
        FEngine.NewGame();
        changed = Fen() != setup;
    }
    EXPECT_TRUE(changed);
}

TEST_F(TMyInternalEngineFixture, ChangesTheVariantOnlyWhenItDiffers) {
    FEngine.DoMoves("e2e4");
    UseVariant("chess");
    EXPECT_EQ(FEngine.PlayedMoveCount(), 1u);
    EXPECT_TRUE(Recorder().Events().empty());

    UseVariant("horde");
    EXPECT_EQ(Recorder().Events(), std::vector<std::string>{"Info:Game variant changed to: horde"});
    EXPECT_EQ(Fen(), "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP w kq - 0 1");
    EXPECT_EQ(FEngine.PlayedMoveCount(), 0u);
    EXPECT_THROW(FEngine.SetGameVariant(nullptr), EArgumentException);
    EXPECT_EQ(FEngine.GameVariant()->Name(), "horde");
}

TEST_F(TMyInternalEngineFixture, OffersItsOptionsAfterTheCommonOnes) {
    TArguments& options = FEngine.Options();
    const int   count = options.Count();
    ASSERT_GE(count, 4);
    std::vector<std::string> last;
    for (int i = count - 4; i < count; ++i)
        last.push_back(options.Get(i).Shortcut());
    EXPECT_EQ(last,
              (std::vector<std::string>{"Threads", "Perft Hash", "UCI_LimitStrength", "UCI_Elo"}));
    EXPECT_EQ(FEngine.Threads().NumericalInterval().MaximalValue(), 512);
    EXPECT_GE(FEngine.Threads().DefaultValue(), 1);
    const std::int64_t maximal = FEngine.PerftHash().NumericalInterval().MaximalValue();
    EXPECT_EQ(static_cast<std::uint64_t>(maximal), FEngine.HashTable().MaxSizeInMB());
    EXPECT_EQ(FEngine.PerftHash().DefaultValue(), maximal * 2 / 3);

    // The size is taken at the next perft; a size outside the range is refused.
    FEngine.PerftHash().SetValueFromString("3");
    EXPECT_EQ(FEngine.HashTable().SizeInMB(), 3u);
    EXPECT_ANY_THROW(FEngine.PerftHash().SetValueFromString(std::to_string(maximal + 1)));
    EXPECT_EQ(FEngine.HashTable().SizeInMB(), 3u);
    EXPECT_ANY_THROW(FEngine.Threads().SetValueFromString("0"));
}

// UCI_LimitStrength with UCI_Elo sets the stop manager's speed limit, e^((Elo - 750) / 95) - 0.999.
TEST_F(TMyInternalEngineFixture, LimitsTheNodeRateByElo) {
    FEngine.UCILimitStrength().SetValueFromString("true");
    EXPECT_NEAR(FEngine.StopManager().LimitNodesPerSecond(), 2682.1, 0.1);
    EXPECT_EQ(Recorder().Events().back(),
              "Info:Nodes per second limit: " +
                  TCommonOutputFormat::FToSGrouped(FEngine.StopManager().LimitNodesPerSecond()));
    FEngine.UCIElo().SetValueFromString("3000");
    EXPECT_NEAR(FEngine.StopManager().LimitNodesPerSecond() / 1.93e10, 1.0, 0.01);
    FEngine.UCIElo().SetValueFromString("750");
    EXPECT_NEAR(FEngine.StopManager().LimitNodesPerSecond(), 0.001, 1e-9);
    FEngine.UCILimitStrength().SetValueFromString("false");
    EXPECT_EQ(FEngine.StopManager().LimitNodesPerSecond(), 0.0);
    EXPECT_EQ(Recorder().Events().back(), "Info:No nodes per second limit");
}

TEST_F(TMyInternalEngineFixture, ReportsItsStateAndEvaluation) {
    FEngine.SetPositionFromString("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    const THash hash = FEngine.Position().GetHash();
    FEngine.EngineStateToConsole();
    std::vector<std::string>       events = Recorder().Events();
    const std::vector<std::string> expected = {
        "Info:Analyze Mode: true",
        "Info:Infinite Analysis: false",
        "Info:FEN: 4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1",
        "Info:Hash Index: 0x" + TCommonOutputFormat::NumToStrU(hash.Index, 16),
        "Info:Hash Code: 0x" + TCommonOutputFormat::NumToStrU(hash.Code, 16),
        "Info:7 legal moves: ",
        "Info:Perft Hash: N/A"};
    ASSERT_EQ(events.size(), expected.size());
    // The moves in generation order, which belongs to the generator.
    std::string moves = events[5].substr(expected[5].size());
    events[5] = expected[5];
    EXPECT_EQ(events, expected);
    std::vector<std::string> list;
    for (std::size_t start = 0; start <= moves.size();) {
        const std::size_t end = std::min(moves.find("; ", start), moves.size());
        list.push_back(moves.substr(start, end - start));
        start = end + 2;
    }
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list,
              (std::vector<std::string>{"e1d1", "e1d2", "e1e2", "e1f1", "e1f2", "e4d5", "e4e5"}));

    Recorder().ClearEvents();
    FEngine.EvalToConsole();
    events = Recorder().Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events[0].starts_with("Info:Score: cp ")) << events[0];
}

// Boards and evaluation terms go to the sink the engine was handed, and nowhere without one.
TEST_F(TMyInternalEngineFixture, DrawsIntoTheSinkItWasHanded) {
    FEngine.SetPositionFromString("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    FEngine.WriteBoardToConsole();
    FEngine.EvalToConsole();
    TTextSink sink;
    FEngine.SetOutputSink(&sink);
    FEngine.WriteBoardToConsole();
    ASSERT_EQ(sink.Drawings, 1);
    FEngine.EvalToConsole();
    EXPECT_EQ(sink.Drawings, 2);
    EXPECT_TRUE(sink.Balanced());
    std::string text;
    for (const std::string& line : sink.Lines)
        text += line + "\n";
    // The white king and the black pawn on their cells.
    EXPECT_NE(text.find('K'), std::string::npos) << text;
    EXPECT_NE(text.find('p'), std::string::npos) << text;
    FEngine.SetOutputSink(nullptr);
}

// A harness that must answer every input at once lowers the deepest perft; the table's own
// limit stays the bound above.
TEST_F(TMyInternalEngineFixture, RefusesPerftBeyondItsDepthLimit) {
    EXPECT_EQ(Failure([&] { FEngine.GetPerft(100); }), "Perft depth must not exceed 99.");
    FEngine.SetPerftDepthLimit(2);
    EXPECT_EQ(Failure([&] { FEngine.GetPerft(3); }), "Perft depth must not exceed 2.");
    FEngine.SetPerftDepthLimit(1000);
    EXPECT_EQ(Failure([&] { FEngine.GetPerft(100); }), "Perft depth must not exceed 99.");
}
