#include "engine/uCommonEngineOptions.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uGoCommand.h"
#include "protocols/uUCITestSupport.h"
#include "support/uProjectInfo.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

// The protocol on a test engine, its commands in a registry as the console holds them, and the
// lines the engine writes.
class TUCIProtocolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // As the uci command adds it; SetOption reads it also without "name".
        FEngine.Options().Own(std::make_unique<TStringArgument>("UCI_Opponent", "", rcOptional));
        auto output = std::make_unique<TUCIEngineOutput>(FConsole);
        FOutput = output.get();
        FEngine.SetOutput(std::move(output));
        FProtocol.SetInternalEngine(&FEngine);
        FProtocol.Initialize();
        FCommands.Add(FProtocol.TakeCommands());
        FAnnouncement = TakeLines(FConsole);
    }
    TLines Run(std::string_view ALine) {
        RunLine(FCommands, ALine);
        return TakeLines(FConsole);
    }
    std::string Error(std::string_view ALine) {
        std::string message = RunLineError(FCommands, ALine);
        FLinesAfterError = TakeLines(FConsole);
        return message;
    }
    // The bestmove line of a go; the other lines must all be info lines.
    std::string BestMove(const TLines& ALines) {
        EXPECT_FALSE(ALines.empty());
        for (std::size_t i = 0; i + 1 < ALines.size(); ++i)
            EXPECT_TRUE(ALines[i].starts_with("info ")) << ALines[i];
        return ALines.empty() ? std::string() : ALines.back();
    }
    TCustomLevel*      MyLevel() { return FProtocol.GoCommand()->MyLevel(); }
    TTimeControlLevel* MyTimeControl() { return dynamic_cast<TTimeControlLevel*>(MyLevel()); }
    TTimeControlLevel* OpponentTimeControl() {
        return dynamic_cast<TTimeControlLevel*>(FProtocol.GoCommand()->OpponentLevel());
    }

    TFakeConsole      FConsole{true};
    TUCITestEngine    FEngine;
    TUCIEngineOutput* FOutput = nullptr;
    TUCIProtocol      FProtocol;
    TCommands         FCommands;
    TLines            FAnnouncement;
    TLines            FLinesAfterError;
};

} // namespace

TEST_F(TUCIProtocolFixture, AnnouncesTheEngineAndEveryOptionKind) {
    const std::string author =
        ProjectInfo(piAuthor).empty() ? ProjectInfo(piCompanyName) : ProjectInfo(piAuthor);
    const TLines expected = {
        "id name " + EngineName(),
        "id author " + author,
        "option name Check Option type check default true",
        "option name Spin Option type spin default 10 min -5 max 100",
        "option name Text type string default abc",
        "option name Combo type combo default Two words var One var Two words",
        "option name Button type button",
        "option name UCI_Opponent type string default ",
        "option name Show Current Move type combo default Every second var Every second var On "
        "change var Disabled",
        "option name Show Selective Depth type combo default Every second var Every second var "
        "On change var Disabled",
        "uciok",
    };
    EXPECT_EQ(FAnnouncement, expected);
    EXPECT_FALSE(author.empty());
    EXPECT_TRUE(FOutput->ShowCurrentMoveEverySecond());
    EXPECT_TRUE(FOutput->ShowSelectiveDepthEverySecond());
}

TEST_F(TUCIProtocolFixture, RegistersTheCommandsInOrderWithTheirUsage) {
    TLines names;
    for (TCustomCommand* command : FProtocol.Commands())
        names.push_back(command->Shortcut() + " " + command->Syntax());
    const TLines expected = {
        "IsReady ",
        "SetOption name {option name} value {option value}",
        "UciNewGame ",
        "Position [fen {FEN} | sfen {SFEN} | startpos] moves {game moves}",
        "Go [searchmoves | infinite | depth | mate | movetime | nodes | movestogo | wtime | btime "
        "| winc | binc | byoyomi]",
        "Stop ",
        "PonderHit ",
    };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(Run("isready"), TLines{"readyok"});
    EXPECT_EQ(Error("isready now"), "No parameters required.");
    Run("ucinewgame");
    EXPECT_EQ(FEngine.FNewGames, 1);
    EXPECT_EQ(FEngine.FStartPositions, 1);
}

TEST_F(TUCIProtocolFixture, SetOptionReadsNameAndValue) {
    Run("setoption name Spin Option value 7");
    EXPECT_EQ(FEngine.Option("Spin Option").GetValueAsString(), "7");
    Run("setoption name spin option value -5");
    EXPECT_EQ(FEngine.Option("Spin Option").GetValueAsString(), "-5");
    // The value is the rest of the line after the blanks that follow "value".
    Run("setoption name Text value  two  words ");
    EXPECT_EQ(FEngine.Option("Text").GetValueAsString(), "two  words ");
    Run("setoption name Text value");
    EXPECT_EQ(FEngine.Option("Text").GetValueAsString(), "");
    Run("setoption name Combo value one");
    EXPECT_EQ(FEngine.Option("Combo").GetValueAsString(), "One");
    Run("setoption name Check Option value false");
    EXPECT_EQ(FEngine.Option("Check Option").GetValueAsString(), "false");
    Run("setoption name Button");
    EXPECT_EQ(FEngine.FButtonPresses, 1);
    Run("setoption UCI_Opponent value GM 2800 human Gary Kasparov");
    EXPECT_EQ(FEngine.Option("UCI_Opponent").GetValueAsString(), "GM 2800 human Gary Kasparov");
    Run("setoption name Show Current Move value On change");
    EXPECT_FALSE(FOutput->ShowCurrentMoveEverySecond());
    EXPECT_TRUE(FOutput->ShowCurrentMoveOnChange());
    Run("setoption name Show Selective Depth value Disabled");
    EXPECT_FALSE(FOutput->ShowSelectiveDepthEverySecond());
    EXPECT_FALSE(FOutput->ShowSelectiveDepthOnChange());
    // Front ends send these to every engine.
    EXPECT_EQ(Run("setoption name NalimovPath value /tb"), TLines{});
    EXPECT_EQ(Run("setoption name NalimovCache value 4"), TLines{});
}

TEST_F(TUCIProtocolFixture, EngineStateWritesInfoStrings) {
    FEngine.EngineStateToConsole();
    const TLines lines = TakeLines(FConsole);
    const TLines expectedStart = {
        "info string Check Option: true",
        "info string Spin Option: 10",
        "info string Text: abc",
        "info string Combo: Two words",
        "info string Button: ",
        "info string UCI_Opponent: ",
        "info string Show Current Move: Every second",
    };
    ASSERT_GE(lines.size(), expectedStart.size());
    EXPECT_EQ(TLines(lines.begin(), lines.begin() + 7), expectedStart);
    for (const std::string& line : lines)
        EXPECT_TRUE(line.starts_with("info string ")) << line;
}

TEST_F(TUCIProtocolFixture, SetOptionRefusals) {
    struct TCase {
        const char* Line;
        const char* Message;
    };
    const TCase Cases[] = {
        {"setoption value 3", "Parse: 'name' expected but token 'value' found."},
        {"setoption", "Parse: 'name' expected but token '' found."},
        {"setoption name Hash value 16", "Option 'Hash' not found."},
        {"setoption name nalimovpath value x", "Option 'nalimovpath' not found."},
        {"setoption name Spin Option value 101",
         "Invalid argument 'Spin Option' value '101'. Interval [-5..100] expected."},
        {"setoption name Spin Option value x", "'x' is not a valid integer value"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Error(c.Line), c.Message);
    }
    // A refused value leaves the option as it was.
    EXPECT_EQ(FEngine.Option("Spin Option").GetValueAsString(), "10");
}

TEST_F(TUCIProtocolFixture, PositionSetsUpAndPlaysMoves) {
    Run("position startpos moves e2e4  e7e5");
    EXPECT_EQ(FEngine.FPosition, "startpos");
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    EXPECT_EQ(FEngine.SideToMove(), 0);

    Run("position startpos");
    EXPECT_TRUE(FEngine.FPlayed.empty());

    Run("position fen some position b moves d2d4");
    EXPECT_EQ(FEngine.FPosition, "some position b");
    EXPECT_EQ(FEngine.FPlayed, TLines{"d2d4"});
    EXPECT_EQ(FEngine.SideToMove(), 0);

    Run("position sfen other");
    EXPECT_EQ(FEngine.FPosition, "other");
    EXPECT_TRUE(FEngine.FPlayed.empty());
}

TEST_F(TUCIProtocolFixture, PositionRefusals) {
    // The moves before a refused one stay played; the refused one and those after it do not.
    EXPECT_EQ(Error("position startpos moves e2e4 e7e5 e2e5 d2d4"),
              "(MoveIndex: 3, StringIndex: 16): Illegal move e2e5");
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    struct TCase {
        const char* Line;
        const char* Message;
    };
    const TCase Cases[] = {
        {"position startpos e2e4", "Parse: 'moves' expected but token 'e2e4' found."},
        {"position endpos",
         "Parse: 'startpos', 'fen' or 'sfen' expected but token 'endpos' found."},
        {"position", "Parse: 'startpos', 'fen' or 'sfen' expected but token '' found."},
        {"position fen bad moves e2e4", "Bad position"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Error(c.Line), c.Message);
    }
}

TEST_F(TUCIProtocolFixture, GoBuildsTheLevelOfEachKeyword) {
    struct TCase {
        const char* Line;
        const char* Level;
    };
    const TCase Cases[] = {
        {"go depth 5", "Maximal Depth: 5"},
        {"go mate 3", "WinIn 6"},
        {"go movetime 1500", "Move Time: 1.500000000"},
        {"go nodes 1000", "Nodes 1000"},
        // A later level replaces an earlier one; a keyword without its number is left out.
        {"go depth 4 nodes 20", "Nodes 20"},
        {"go depth movetime 2000", "Move Time: 2.000000000"},
        {"go depth --7", "Maximal Depth: 7"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Line);
        const TLines lines = Run(c.Line);
        ASSERT_NE(MyLevel(), nullptr);
        EXPECT_EQ(MyLevel()->GetAsString(), c.Level);
        EXPECT_EQ(FEngine.LevelManager().MyLevel(), MyLevel());
        EXPECT_EQ(FProtocol.GoCommand()->OpponentLevel(), nullptr);
        EXPECT_EQ(BestMove(lines), "bestmove a2a3");
    }
}

TEST_F(TUCIProtocolFixture, GoBuildsTimeControlsForBothSides) {
    const TLines lines = Run("go wtime 60000 btime 30000 winc 1000 binc 500 movestogo 20");
    ASSERT_NE(MyTimeControl(), nullptr);
    ASSERT_NE(OpponentTimeControl(), nullptr);
    EXPECT_EQ(MyTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(60));
    EXPECT_EQ(MyTimeControl()->MoveIncrementTime(), TTimeSpan::FromSeconds(1));
    EXPECT_EQ(MyTimeControl()->MoveCount(), 20);
    EXPECT_EQ(MyTimeControl()->TimeUsage(), 85);
    EXPECT_EQ(MyTimeControl()->MinimalTime(), TTimeSpan::FromMilliseconds(50));
    EXPECT_EQ(OpponentTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(30));
    EXPECT_EQ(OpponentTimeControl()->MoveIncrementTime(), TTimeSpan::FromMilliseconds(500));
    EXPECT_EQ(lines.front(), "info string Time Control: Total Time: 60.000000000, Move Increment: "
                             "1.000000000, Free Time: 0.000000000, Remain Moves: 20");
    EXPECT_EQ(BestMove(lines), "bestmove a2a3");

    // The second player's clock is its own; an endless clock counts as 15 minutes.
    Run("position fen x b");
    ASSERT_EQ(FEngine.SideToMove(), 1);
    Run("go wtime 60000 btime 2147483647 winc 1000 byoyomi 3000");
    EXPECT_EQ(MyTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(900));
    EXPECT_EQ(MyTimeControl()->MoveIncrementTime(), TTimeSpan());
    EXPECT_EQ(MyTimeControl()->FreeTime(), TTimeSpan::FromSeconds(3));
    EXPECT_EQ(MyTimeControl()->MoveCount(), 35);
    EXPECT_EQ(OpponentTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(60));
    EXPECT_EQ(FEngine.LevelManager().MyRemainTime(), TTimeSpan::FromSeconds(900));

    // Shogi front ends give the first player (Black) btime.
    FProtocol.GoCommand()->SetFirstPlayerUsesBlackClock(true);
    Run("go wtime 60000 btime 30000");
    EXPECT_EQ(MyTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(60));
    Run("position startpos");
    Run("go wtime 60000 btime 30000");
    EXPECT_EQ(MyTimeControl()->IncrementTime(), TTimeSpan::FromSeconds(30));
}

TEST_F(TUCIProtocolFixture, GoGivesTheTimeOptionsToBothClocks) {
    // Values other than the defaults, so that a level that skips an option shows.
    TCommonEngineOptions& options = FEngine.CommonOptions();
    options.TimeUsage().SetValue(70);
    options.FixedMoveTime().SetValue(true);
    options.MinimalMoveTime().SetValue(120);
    options.MaximalMoveOverhead().SetValue(900);
    Run("go wtime 60000 btime 30000");
    for (TTimeControlLevel* level : {MyTimeControl(), OpponentTimeControl()}) {
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->TimeUsage(), 70);
        EXPECT_TRUE(level->FixedMoveTime());
        EXPECT_EQ(level->MinimalTime(), TTimeSpan::FromMilliseconds(120));
        EXPECT_EQ(level->MaximalMoveOverhead(), TTimeSpan::FromMilliseconds(900));
        EXPECT_EQ(level->AnalysisInfo(), &FEngine.AnalysisInfo());
    }
    EXPECT_EQ(FEngine.LevelManager().OpponentLevel(), OpponentTimeControl());
}

TEST_F(TUCIProtocolFixture, GoAlwaysEndsWithABestMove) {
    // What go cannot read is named on one error line and left out; the search runs with the
    // rest and answers.
    struct TCase {
        const char* Go;
        const char* Error; // empty: none
        const char* Level;
    };
    // clang-format off
    const TCase cases[] = {
        {"go", "", "Time Control: *"},
        {"go depth 3 quickly", "Parse: 'searchmoves', 'infinite', 'depth', 'mate', 'movetime', "
         "'nodes', 'movestogo', 'wtime', 'btime', 'winc', 'binc' or 'byoyomi' expected but token "
         "'quickly' found.", "Maximal Depth: 3"},
        {"go depth x", "'depth' needs a number; left out", "Time Control: *"},
        {"go depth 1x", "'depth' needs a number; left out", "Time Control: *"},
        {"go movetime depth 4", "'movetime' needs a number; left out", "Maximal Depth: 4"},
        {"go nodes", "'nodes' needs a number; left out", "Time Control: *"},
        {"go searchmoves e2e4 e2e4", "searchmoves left out: e2e4", "Time Control: *"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Go);
        const TLines lines = Run(c.Go);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(lines.back().starts_with("bestmove ")) << lines.back();
        const std::string error = std::string("info string Error: Command Go: ") + c.Error;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), error), *c.Error != 0 ? 1 : 0);
        ASSERT_NE(MyLevel(), nullptr);
        const std::string level = c.Level;
        if (level.ends_with("*"))
            EXPECT_TRUE(MyLevel()->GetAsString().starts_with(level.substr(0, level.size() - 1)));
        else
            EXPECT_EQ(MyLevel()->GetAsString(), level);
    }
    // A repeated move is counted once: it is still the only choice.
    EXPECT_EQ(BestMove(Run("go searchmoves d2d4 d2d4")), "bestmove d2d4");
}

TEST_F(TUCIProtocolFixture, SearchMovesRestrictTheChoice) {
    EXPECT_EQ(BestMove(Run("go movetime 100 searchmoves e2e4 d2d4")), "bestmove d2d4");
    // Every word after searchmoves is a move, also what looks like a keyword.
    EXPECT_EQ(BestMove(Run("go searchmoves e7e5 wtime 1000")), "bestmove e7e5");
    // The filter holds for one go only.
    EXPECT_EQ(BestMove(Run("go depth 1")), "bestmove a2a3");
    // No accepted move: the null move.
    EXPECT_EQ(BestMove(Run("go depth 1 searchmoves h2h4")), "bestmove 0000");
}

TEST_F(TUCIProtocolFixture, EndlessSearchesAnswerAtStopOrPonderHit) {
    // Only the info lines come at once; the front end waits for the best move.
    TLines lines = Run("go infinite");
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines)
        EXPECT_TRUE(line.starts_with("info ")) << line;
    EXPECT_TRUE(FEngine.LevelManager().InfiniteAnalysis());
    EXPECT_EQ(Run("isready"), TLines{"readyok"});
    EXPECT_EQ(BestMove(Run("stop")), "bestmove a2a3");
    EXPECT_EQ(Run("stop"), TLines{});

    lines = Run("go ponder wtime 1000 btime 1000");
    EXPECT_FALSE(FEngine.LevelManager().InfiniteAnalysis());
    EXPECT_NE(lines.back(), "bestmove a2a3");
    EXPECT_EQ(Run("ponderhit"), TLines{"bestmove a2a3"});

    // A second go while an endless one runs is refused; the running one keeps its search and
    // gives exactly one best move, its own, at stop.
    Run("go infinite searchmoves d2d4");
    EXPECT_EQ(Error("go depth 1"), "Engine is running.");
    EXPECT_EQ(FLinesAfterError, TLines{});
    EXPECT_EQ(Run("stop"), TLines{"bestmove d2d4"});
    // Normal searches answer at once again.
    EXPECT_EQ(BestMove(Run("go nodes 5")), "bestmove a2a3");
}
