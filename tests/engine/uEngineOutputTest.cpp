#include "uEngineTestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace {

// A protocol output with a visible flush count; the protocol operations are not under test.
class TTestProtocolOutput final : public TProtocolEngineOutput {
public:
    using TProtocolEngineOutput::TProtocolEngineOutput;
    void        TellGUIInfo(std::string_view) override {}
    void        TellGUIError(std::string_view) override {}
    void        TellGUIDebug(std::string_view) override {}
    void        AcceptDraw() override {}
    void        OfferDraw() override {}
    void        Resign() override {}
    void        Start() override {}
    void        DrawDepth() override {}
    void        DrawSelDepth() override {}
    void        DrawNodes() override {}
    void        OneSecond() override {}
    void        ShowBestMove(bool) override {}
    void        DoImportMove() override {}
    void        DrawMove1() override {}
    void        DrawRefutation() override {}
    void        DrawAMoves() override {}
    void        DrawCurrLine(std::string_view) override {}
    std::string ScoreToStr(TScore, TScoreBound) override { return {}; }

    int Flushes = 0;

protected:
    void FlushOutput() override { ++Flushes; }
};

void BestMoveBlock(TEngineOutput& AOutput) {
    TWriteBlock block(AOutput);
    AOutput.Write("bestmove ", ccKeyword);
    AOutput.WriteLine("e2e4", ccValue);
}

using TCall = TFakeConsole::TCall;

} // namespace

TEST(UciScoreText, AllScoreKinds) {
    struct TCase {
        TScore      Score;
        TScoreBound Bound;
        const char* Text;
    };
    const TCase Cases[] = {
        {0, sbExact, "cp 0"},
        {-15, sbNone, "cp -15"},
        {25, sbUpper, "cp 25 upperbound"},
        {32000, sbExact, "cp 32000"},
        {-32000, sbLower, "cp -32000 lowerbound"},
        {32001, sbExact, "mate 383"},
        {32765, sbExact, "mate 1"},
        {32764, sbExact, "mate 2"},
        {32763, sbExact, "mate 2"},
        {32766, sbExact, "mate 1"},
        {-32766, sbExact, "mate -1"},
        {-32765, sbExact, "mate -1"},
        {-32764, sbExact, "mate -2"},
        {-32001, sbExact, "mate -383"},
        {32767, sbExact, "+inf"},
        {-32767, sbExact, "\u2013inf"},
        {-32768, sbLower, "none lowerbound"},
        {-32768, sbExact, "none"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Score);
        EXPECT_EQ(UciScoreText(c.Score, c.Bound), c.Text);
    }
}

TEST(TProtocolEngineOutput, RedirectedBlocksBecomeWholePlainLinesWithOneFlush) {
    TFakeConsole        console(true);
    TTestProtocolOutput output(console);
    BestMoveBlock(output);
    EXPECT_EQ(console.FCalls, (std::vector<TCall>{{"WriteLine", "bestmove e2e4"}}));
    EXPECT_EQ(output.Flushes, 1);

    // An empty piece changes nothing; an empty line ends the pending line.
    console.FCalls.clear();
    {
        TWriteBlock block(output);
        output.Write("", ccValue);
        output.Write("info", ccKeyword);
        output.WriteLine("", ccValue);
        output.WriteLine("", ccValue);
    }
    EXPECT_EQ(console.FCalls, (std::vector<TCall>{{"WriteLine", "info"}, {"WriteLine", ""}}));
    EXPECT_EQ(output.Flushes, 2);

    // A block that ends inside a line still delivers its text.
    console.FCalls.clear();
    {
        TWriteBlock block(output);
        output.Write("partial", ccValue);
    }
    EXPECT_EQ(console.FCalls, (std::vector<TCall>{{"Write", "partial"}}));
}

TEST(TProtocolEngineOutput, TerminalPiecesAreColouredByTextType) {
    TFakeConsole        console(false);
    TTestProtocolOutput output(console);
    BestMoveBlock(output);
    const TConsoleCustomTheme& theme = console.Theme();
    EXPECT_EQ(console.FCalls,
              (std::vector<TCall>{{"Write", "bestmove ", theme.GetColor(ccAqua, ccBlack)},
                                  {"WriteLine", "e2e4", theme.GetColor(ccYellow, ccBlack)}}));
    EXPECT_EQ(output.Flushes, 0) << "a terminal gets each piece at once";
    EXPECT_EQ(output.TextTypeColor(ccError), theme.GetColorForMessageLevel(mlError));
    EXPECT_EQ(output.TextTypeColor(ccTrueValue), theme.GetColor(ccLightGreen, ccBlack));
    EXPECT_EQ(output.TextTypeColor(ccFalseValue), theme.GetColor(ccLightRed, ccBlack));
}

TEST(TProtocolEngineOutput, BlocksHoldTheConsoleLockAndReleaseItOnFailure) {
    TFakeConsole               console(true);
    TTestProtocolOutput        output(console);
    std::atomic<bool>          otherGotLock{false};
    std::optional<TWriteBlock> block(std::in_place, output);
    std::thread                other([&] {
        std::scoped_lock lock(console.Lock());
        otherGotLock = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(otherGotLock) << "another writer got in during the block";
    block.reset();
    other.join();
    EXPECT_TRUE(otherGotLock);

    // After a failing piece the lock is released and the pending line is gone.
    try {
        TWriteBlock block(output);
        output.Write("lost", ccValue);
        throw std::runtime_error("write failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(console.Lock().try_lock());
    console.Lock().unlock();
    console.FCalls.clear();
    BestMoveBlock(output);
    EXPECT_EQ(console.FCalls, (std::vector<TCall>{{"WriteLine", "bestmove e2e4"}}));
}

TEST(TLoggedEngineOutput, ABlockBecomesOneDebugMessage) {
    TFakeConsole        console(true);
    TTestProtocolOutput output(console);
    {
        TCapturingLog log(mlInformation);
        BestMoveBlock(output);
        EXPECT_TRUE(log.Lines().empty()) << "nothing is collected without debug logging";
    }
    TCapturingLog log(mlDebug);
    {
        TWriteBlock block(output);
        output.WriteLine("info depth 1", ccValue);
        output.Write("info ", ccKeyword);
        output.WriteLine("nodes 20", ccValue);
        output.WriteLine("bestmove e2e4", ccValue);
    }
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"\u2013>: info depth 1\ninfo nodes 20\nbestmove e2e4\n"}));
}

TEST(TNoProtocolEngineOutput, MessagesWithoutPrefixAndErrorsOnTheErrorStream) {
    TFakeConsole            console(true);
    TNoProtocolEngineOutput output(console);
    TAnalysisInfo           info;
    output.SetAnalysisInfo(&info);
    EXPECT_EQ(output.NullMoveStr(), "--");
    output.TellGUIInfo("Score: " + output.ScoreToStr(35, sbExact));
    output.TellGUIError("Command Go: No level is set.");
    output.TellGUIDebug("Draw offer probability: 1 / 7");
    // The search events are quiet, and the best move becomes an information line.
    output.Start();
    output.DrawDepth();
    output.DrawNodes();
    output.OneSecond();
    output.DrawAMoves();
    output.DrawMove1();
    output.DrawCurrLine("e2e4");
    output.DoImportMove();
    output.ShowBestMove(true);
    info.AddAnalysis({0, sbExact, vcNone, 1}, {"e2e4"});
    output.ShowBestMove(false);
    EXPECT_EQ(console.FCalls,
              (std::vector<TCall>{{"WriteLine", "Score: cp 35"},
                                  {"WriteErrorLine", "Command Go: No level is set."},
                                  {"WriteLine", "Draw offer probability: 1 / 7"},
                                  {"WriteLine", "Best move: --"},
                                  {"WriteLine", "Best move: e2e4"}}));
}
