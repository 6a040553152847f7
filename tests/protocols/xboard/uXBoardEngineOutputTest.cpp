#include "protocols/xboard/uXBoardEngineOutput.h"

#include "engine/uAnalysisInfo.h"
#include "uXBoardTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace xboardtest;

namespace {

using TLines = std::vector<std::string>;

// An XBoard output on a redirected fake console, given to a test engine.
class TXBoardEngineOutputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        auto output = std::make_unique<TXBoardEngineOutput>(FConsole);
        FOutput = output.get();
        FOutput->SetInternalEngine(&FEngine);
        FEngine.SetOutput(std::move(output));
    }
    TLines         Lines() { return TakeLines(FConsole); }
    TAnalysisInfo& Info() { return FEngine.AnalysisInfo(); }

    TFakeConsole         FConsole{true};
    TXBoardTestEngine    FEngine;
    TXBoardEngineOutput* FOutput = nullptr;
};

} // namespace

TEST_F(TXBoardEngineOutputFixture, MessagesAreCommentsAndErrorLines) {
    FOutput->TellGUIInfo("Game variant changed to: chess");
    FOutput->TellGUIDebug("two\nlines");
    FOutput->TellGUIError("Command Level: 'x' is not a valid number");
    FOutput->TellGUIError("first\nsecond");
    FOutput->AcceptDraw();
    FOutput->OfferDraw();
    FOutput->Resign();
    FOutput->DrawCurrLine("e2e4 e7e5");
    FOutput->IllegalMove("e2e5");
    const TLines expected = {
        "# Game variant changed to: chess",
        "# two",
        "# lines",
        "Error (Command Level: 'x' is not a valid number)",
        "Error (first second)",
        "offer draw",
        "offer draw",
        "resign",
        "# Current line: e2e4 e7e5",
        "Illegal move: e2e5",
    };
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(FOutput->NullMoveStr(), "@@@@");
    // Raw centipawns, mate scores as stored, never a bound word.
    EXPECT_EQ(FOutput->ScoreToStr(-120, sbExact), "-120");
    EXPECT_EQ(FOutput->ScoreToStr(32766, sbLower), "32766");
}

TEST_F(TXBoardEngineOutputFixture, ThinkingLineWithBoundMarksUnlessNoPost) {
    struct TCase {
        TScoreBound              Bound;
        std::vector<std::string> Moves;
        const char*              Line;
    };
    const TCase cases[] = {
        {sbExact, {"e2e4", "e7e5"}, "5 23 0 56789 e2e4 e7e5"},
        {sbNone, {"e2e4"}, "5 23 0 56789 e2e4"},
        {sbLower, {"e2e4"}, "5 23 0 56789 e2e4 ?"},
        {sbUpper, {"e2e4"}, "5 23 0 56789 e2e4 !"},
        // A line without moves still has the blank before its (empty) variation.
        {sbExact, {}, "5 23 0 56789 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        Info().Clear();
        Info().SetDepth(5);
        Info().SetNodes(56789);
        Info().AddAnalysis({23, c.Bound, vcNone, static_cast<std::uint16_t>(c.Moves.size())},
                           c.Moves);
        FOutput->DrawAMoves();
        EXPECT_EQ(Lines(), TLines{c.Line});
    }
    FOutput->SetEnabled(false);
    FOutput->DrawAMoves();
    EXPECT_EQ(Lines(), TLines{});
}

TEST(TXBoardEngineOutput, CentisecondsRoundAsEachLineWants) {
    struct TCase {
        std::int64_t Milliseconds;
        std::int64_t Thinking; // halves away from zero
        std::int64_t Status;   // halves to even
    };
    const TCase cases[] = {
        {0, 0, 0},     {1234, 123, 123}, {150, 15, 15}, {145, 15, 14},
        {155, 16, 16}, {5, 1, 0},        {15, 2, 2},    {-15, -2, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Milliseconds);
        EXPECT_EQ(ThinkingCentiseconds(c.Milliseconds), c.Thinking);
        EXPECT_EQ(StatusCentiseconds(c.Milliseconds), c.Status);
    }
}

TEST_F(TXBoardEngineOutputFixture, StatusLine) {
    Info().SetDepth(3);
    Info().SetNodes(4321);
    Info().SetMoveCount(20);
    Info().SetCurrentMove(4, "g1f3");
    FOutput->DrawNodes();
    EXPECT_EQ(Lines(), TLines{"stat01: 0 4321 3 15 20 g1f3"});

    TXBoardEngineOutput without(FConsole);
    without.DrawNodes();
    EXPECT_EQ(Lines(), TLines{"Error (No analysis available.)"});
}

TEST_F(TXBoardEngineOutputFixture, MoveLineClaimsTheResultOfTheSideThatMates) {
    Info().AddAnalysis({32766, sbExact, vcNone, 1}, {"e7e5"});
    FEngine.SetSideToMove(1);
    FOutput->DoImportMove();
    EXPECT_EQ(Lines(), (TLines{"move e7e5", "result 0-1 {Black mates}"}));
    FEngine.SetSideToMove(0);
    FOutput->DoImportMove();
    EXPECT_EQ(Lines(), (TLines{"move e7e5", "result 1-0 {White mates}"}));

    // Any other score, a losing mate score included, claims nothing.
    for (const TScore score : {TScore(35), TScore(32765), TScore(-32766)}) {
        Info().Clear();
        Info().AddAnalysis({score, sbExact, vcNone, 1}, {"g1f3"});
        FOutput->DoImportMove();
        EXPECT_EQ(Lines(), TLines{"move g1f3"});
    }
}

TEST_F(TXBoardEngineOutputFixture, WithoutAMoveTheGameEndIsClaimedNeverANullMove) {
    struct TCase {
        int              Side;
        TGameTermination Termination;
        const char*      Line;
    };
    const TCase cases[] = {
        {0, {grBlackWin, rcMates}, "resign"},
        {1, {grWhiteWin, rcMates}, "resign"},
        {0, {grDraw, rcStalemate}, "result 1/2-1/2 {Stalemate}"},
        {1, {grDraw, rcRepetition}, "result 1/2-1/2 {Draw}"},
        // Giveaway: the side without a move wins.
        {0, {grWhiteWin, rcNoPiece}, "result 1-0 {White wins}"},
        {1, {grBlackWin, rcStalemate}, "result 0-1 {Black wins}"},
        // The engine knows of no end (all moves excluded): only then the null move.
        {0, {grUnknown, rcMates}, "move @@@@"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        Info().Clear();
        FEngine.SetSideToMove(c.Side);
        FEngine.FTermination = c.Termination;
        FOutput->DoImportMove();
        EXPECT_EQ(Lines(), TLines{c.Line});
    }
    // An output that has no engine to ask writes the null move.
    TXBoardEngineOutput alone(FConsole);
    alone.DoImportMove();
    EXPECT_EQ(Lines(), TLines{"move @@@@"});
}
