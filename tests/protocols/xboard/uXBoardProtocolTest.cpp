#include "engine/uCommonEngineOptions.h"
#include "engine/uLevelManager.h"
#include "engine/uStopManager.h"
#include "protocols/xboard/uSetBoardCommand.h"
#include "support/uProjectInfo.h"
#include "uXBoardTestSupport.h"

#include <gtest/gtest.h>
#include <regex>

using namespace xboardtest;

namespace {

using TLines = std::vector<std::string>;

// The engine's answer in play mode: a time control as a comment, its thinking line, the move.
void ExpectReply(TLines ALines, const std::string& AMove) {
    if (!ALines.empty() && ALines[0].starts_with("# Time Control: "))
        ALines.erase(ALines.begin());
    ASSERT_EQ(ALines.size(), 2U);
    EXPECT_TRUE(std::regex_match(ALines[0], std::regex("0 25 [0-9]+ 0 " + AMove))) << ALines[0];
    EXPECT_EQ(ALines[1], "move " + AMove);
}

} // namespace

TEST_F(TXBoardProtocolFixture, ProtoverWritesTheFeatureList) {
    const TLines expected = {
        "feature done=0",
        "feature myname=\"" + EngineName() + "\"",
        "feature debug=1",
        "feature sigint=0",
        "feature sigterm=0",
        "feature san=0",
        "feature reuse=1",
        "feature highlight=0",
        "feature setboard=1",
        "feature ping=1",
        "feature memory=0",
        "feature smp=0",
        "feature usermove=1",
        "feature draw=1",
        "feature pause=1",
        "feature nps=1",
        "feature analyze=1",
        "feature exclude=1",
        "feature setscore=0",
        "feature playother=1",
        "feature ics=1",
        "feature name=1",
        "feature colors=0",
        "feature time=1",
        "feature variants=\"normal,fischerandom,shuffle,random256,nocastle,dunsany,hordechess,"
        "horde,giveaway,3check,kingofthehill,racingkings,atomic,crazyhouse,shogi,5x5+5_shogi,"
        "minishogi,5x6+3_shogi,gorogoro,3x4+3_shogi,dobutsu\"",
        "feature option=\"Contempt Value -spin 0 -32767 32767\"",
        "feature option=\"Check Option -check 1\"",
        "feature option=\"Text -string abc\"",
        "feature option=\"Book File -file \"",
        "feature option=\"Combo -combo One /// *Two words /// Three\"",
        "feature option=\"Button -button\"",
        "feature done=1",
    };
    EXPECT_EQ(FProtocol.ProtocolVersion(), 1);
    EXPECT_EQ(Run("protover 2"), expected);
    EXPECT_EQ(FProtocol.ProtocolVersion(), 2);
    // No number is version 0, and the features are written all the same.
    EXPECT_EQ(Run("protover x"), expected);
    EXPECT_EQ(FProtocol.ProtocolVersion(), 0);
}

TEST_F(TXBoardProtocolFixture, RegistersTheCommandsInOrder) {
    TLines names;
    for (TCustomCommand* command : FProtocol.Commands())
        names.push_back(command->Shortcut() + " " + command->Syntax());
    const TLines expected = {
        "ProtoVer [Protocol Version]",
        "New ",
        "Accepted ",
        "Rejected ",
        "Variant [VariantName]",
        "Random ",
        "Force ",
        "Analyze ",
        "Go ",
        "Exit ",
        "PlayOther ",
        "Level [RemainMoves BaseTimeInMinutes TimeIncrementInSeconds]",
        "St [exact time per move in seconds]",
        "Sd [maximal depth]",
        "Nps [NodeRate]",
        "Time ",
        "OTim ",
        "UserMove ",
        "? ",
        "Ping [Id]",
        "Draw ",
        "Result [ResultCode Comment]",
        "SetBoard [FEN]",
        "Hint ",
        "Bk ",
        "Undo ",
        "Remove ",
        "Hard ",
        "Easy ",
        "Post ",
        "NoPost ",
        "Name [UserName]",
        "Rating [OwnRating OpponentRating]",
        "ICS [HostName]",
        "Computer ",
        "Pause ",
        "Resume ",
        "Option Name[=Value]",
        "Exclude [Move]",
        "Include [Move]",
        "ExcludeAll ",
        "IncludeAll ",
        ". ",
        "Memory [MegaBytes]",
        "Cores ",
        "Edit ",
        "SetScore [Score Depth]",
        "EGTPath [Type Path]",
    };
    EXPECT_EQ(names, expected);
    for (TCustomCommand* command : FProtocol.Commands())
        EXPECT_FALSE(command->Description().empty()) << command->Shortcut();
}

TEST_F(TXBoardProtocolFixture, AnalyzeModeSwitchesAnalyzeGoAndExit) {
    EXPECT_EQ(Error("exit"), "Command Exit is disabled.");
    TLines lines = Run("analyze");
    // Thinking, but no move: analyse mode plays nothing.
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("0 25 [0-9]+ 0 e2e4"))) << lines[0];
    EXPECT_TRUE(FProtocol.AnalyzeMode());
    EXPECT_FALSE(FProtocol.AutoPlay());
    EXPECT_FALSE(FEngine.DoMoveAfterStop());
    EXPECT_TRUE(FEngine.LevelManager().InfiniteAnalysis());
    EXPECT_EQ(Error("analyze"), "Command Analyze is disabled.");
    EXPECT_EQ(Error("go"), "Command Go is disabled.");

    // Each new position is analysed; nothing is played by the engine.
    lines = Run("usermove e2e4");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("0 25 [0-9]+ 0 e7e5"))) << lines[0];
    EXPECT_EQ(FEngine.FPlayed, TLines{"e2e4"});
    EXPECT_EQ(Run("undo").size(), 1U);
    EXPECT_EQ(FEngine.FPlayed, TLines{});

    // The analysis has ended by itself: exit stops nothing and names no stop cause.
    EXPECT_EQ(Run("exit"), TLines{});
    EXPECT_FALSE(FProtocol.AnalyzeMode());
    EXPECT_FALSE(FEngine.LevelManager().InfiniteAnalysis());
    EXPECT_EQ(Error("exit"), "Command Exit is disabled.");
    EXPECT_EQ(Run("usermove e2e4"), TLines{});
}

TEST_F(TXBoardProtocolFixture, UserMoveInForceModeAndInAutoPlay) {
    // Before new and in force mode the move is only played.
    EXPECT_EQ(Run("usermove e2e4"), TLines{});
    Run("force");
    EXPECT_EQ(Run("usermove e7e5"), TLines{});
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    EXPECT_EQ(FEngine.FSearches, 0);

    Run("new");
    Run("level 40 5 0");
    EXPECT_TRUE(FProtocol.AutoPlay());
    ExpectReply(Run("usermove e2e4"), "e7e5");
    EXPECT_TRUE(FEngine.DoMoveAfterStop());
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    EXPECT_EQ(FEngine.SideToMove(), 0);
}

TEST_F(TXBoardProtocolFixture, IllegalUserMoveIsRefusedAndNothingChanges) {
    Run("new");
    Run("level 40 5 0");
    ExpectReply(Run("usermove e2e4"), "e7e5");
    const int searches = FEngine.FSearches;
    EXPECT_EQ(Run("usermove e2e5"), TLines{"Illegal move: e2e5"});
    EXPECT_EQ(Run("usermove  x"), TLines{"Illegal move: x"});
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    EXPECT_EQ(FEngine.FSearches, searches);
    EXPECT_TRUE(FProtocol.AutoPlay());
    ExpectReply(Run("usermove g1f3"), "b8c6");
}

TEST_F(TXBoardProtocolFixture, AMoveThatEndsTheGameIsFollowedByTheClaim) {
    Run("st 1");
    Run("nopost");
    FEngine.FTermination = {grWhiteWin, rcMates};
    EXPECT_EQ(Run("go"), (TLines{"move e2e4", "result 1-0 {White mates}"}));
    // A mate score had its claim with the move.
    Run("force");
    FEngine.FScore = 32766;
    EXPECT_EQ(Run("usermove e7e5"), TLines{});
    Run("playother");
    EXPECT_EQ(Run("usermove g1f3"), (TLines{"move b8c6", "result 0-1 {Black mates}"}));
    // In force mode the engine plays nothing, so it claims nothing.
    Run("force");
    FEngine.FTermination = {grDraw, rcStalemate};
    EXPECT_EQ(Run("usermove e2e4"), TLines{});
}

// A move is played only with "usermove": a bare one is an unknown command, and not played.
TEST_F(TXBoardProtocolFixture, BareMovesAreNoCommands) {
    Run("new");
    EXPECT_EQ(Error("e2e4"), "Parse: 'Valid command' expected but token 'e2e4' found.");
    EXPECT_EQ(FEngine.FPlayed, TLines{});
    EXPECT_EQ(FEngine.FSearches, 0);
}

TEST_F(TXBoardProtocolFixture, GoAndPlayOther) {
    EXPECT_EQ(Error("go now"), "No parameters required.");
    EXPECT_EQ(FEngine.FSearches, 0);
    // Without level, st or sd the game is untimed: the engine moves all the same.
    ExpectReply(Run("go"), "e2e4");
    EXPECT_TRUE(FProtocol.AutoPlay());
    EXPECT_EQ(FEngine.FPlayed, TLines{"e2e4"});
    Run("force");
    Run("st 1");
    ExpectReply(Run("go"), "e7e5");
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
    Run("force");
    Run("playother");
    EXPECT_TRUE(FProtocol.AutoPlay());
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e2e4", "e7e5"}));
}

TEST_F(TXBoardProtocolFixture, NewStartsStandardChessWithoutDepthLimit) {
    Run("variant crazyhouse");
    EXPECT_EQ(FEngine.GameVariant()->Name(), "crazyhouse");
    Run("sd 5");
    EXPECT_EQ(FEngine.StopManager().LimitMaxDepth(), 5);
    Run("time 1000");
    Run("otim 2000");
    Run("force");
    Run("usermove e2e4");
    TakeLines(FConsole);

    EXPECT_EQ(Run("new"), TLines{"# Game variant changed to: chess"});
    EXPECT_EQ(FEngine.GameVariant()->Name(), "chess");
    EXPECT_EQ(FEngine.CastlingNotation(), cnKingTwoFiles);
    EXPECT_EQ(FEngine.StopManager().LimitMaxDepth(), 99);
    EXPECT_TRUE(FEngine.LevelManager().MyRemainTime().IsZero());
    EXPECT_TRUE(FEngine.LevelManager().OpponentRemainTime().IsZero());
    EXPECT_EQ(FEngine.FNewGames, 1);
    EXPECT_EQ(FEngine.FPlayed, TLines{});
    EXPECT_TRUE(FProtocol.AutoPlay());
}

TEST_F(TXBoardProtocolFixture, VariantTakesXBoardNames) {
    Run("new");
    struct TCase {
        const char*       Name;
        const char*       Variant;
        TCastlingNotation Castling; // as xboard writes it there
    };
    const TCase cases[] = {
        {"fischerandom", "chess960", cnCastleStrings},
        {"normal", "chess", cnKingTwoFiles},
        {"shuffle", "shuffle", cnCastleStrings},
        {"3check", "3Check", cnKingTwoFiles},
        {"KINGOFTHEHILL", "kingOfTheHill", cnKingTwoFiles},
        {"random256", "random256", cnKingTwoFiles},
        {"racingkings", "racingKings", cnKingTwoFiles},
        {"crazyhouse", "crazyhouse", cnKingTwoFiles},
        {"chess960", "chess960", cnCastleStrings},
        {"5x5+5_shogi", "minishogi", cnKingTwoFiles},
        {"gorogoro", "goroGoroShogi", cnKingTwoFiles},
        {"3X4+3_SHOGI", "dobutsuShogi", cnKingTwoFiles},
        {"goroGoroShogi", "goroGoroShogi", cnKingTwoFiles},
        {"hordeChess", "hordeChess", cnKingTwoFiles},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Run(std::string("variant ") + c.Name);
        EXPECT_EQ(FEngine.GameVariant()->Name(), c.Variant);
        EXPECT_EQ(FEngine.CastlingNotation(), c.Castling);
    }
    // Variants xboard does not know are described to it with their start position.
    EXPECT_EQ(Run("variant kingofthehill"),
              (TLines{"# Game variant changed to: kingOfTheHill",
                      "setup (PNBRQ................Kpnbrq................k) 8x8+0_fairy fen of "
                      "startpos"}));
    EXPECT_EQ(Run("variant crazyhouse"), TLines{"# Game variant changed to: crazyhouse"});
    Run("variant chess960");
    EXPECT_EQ(Error("variant xiangqi"), "Parse: 'VariantName' expected but token 'xiangqi' found.");
    EXPECT_EQ(Error("variant"), "Parse: 'VariantName' expected but token '' found.");
    EXPECT_EQ(FEngine.GameVariant()->Name(), "chess960");
}

TEST_F(TXBoardProtocolFixture, SetBoardUndoAndRemove) {
    Run("force");
    Run("usermove e2e4");
    EXPECT_EQ(Error("setboard bad fen"), "Bad position");
    EXPECT_EQ(FEngine.FPlayed, TLines{"e2e4"});
    Run("setboard 4k3/8/8/8/8/8/8/4K3 b - - 0 1");
    EXPECT_EQ(FEngine.FPosition, "4k3/8/8/8/8/8/8/4K3 b - - 0 1");
    EXPECT_EQ(FEngine.SideToMove(), 1);
    Run("usermove e7e5");
    Run("usermove g1f3");
    Run("usermove b8c6");
    Run("undo");
    EXPECT_EQ(FEngine.FPlayed, (TLines{"e7e5", "g1f3"}));
    Run("remove");
    EXPECT_EQ(FEngine.FPlayed, TLines{});
    EXPECT_EQ(Error("undo 2"), "No parameters required.");
}

TEST_F(TXBoardProtocolFixture, SessionCommands) {
    EXPECT_EQ(Run("ping 17"), TLines{"pong 17"});
    EXPECT_EQ(Run("ping"), TLines{"pong "});
    for (const char* line : {"accepted myname", "rejected san", "name Some Body", "ics -",
                             "computer", "result 1-0 {White mates}", "bk", "random"})
        EXPECT_EQ(Run(line), TLines{}) << line;
    EXPECT_FALSE(FEngine.CommonOptions().RandomPlay().Value()); // on at creation, toggled
    Run("random");
    EXPECT_TRUE(FEngine.CommonOptions().RandomPlay().Value());
    Run("easy");
    EXPECT_FALSE(FEngine.CommonOptions().Ponder().Value());
    Run("hard");
    EXPECT_TRUE(FEngine.CommonOptions().Ponder().Value());
    EXPECT_EQ(Error("memory 64"), "Memory command is not supported.");
    EXPECT_EQ(Error("cores 2"), "Cores command is not supported.");
    EXPECT_EQ(Error("egtpath syzygy /tb"), "EGTPath command is not supported.");
    EXPECT_EQ(FLinesAfterError, TLines{});
}

TEST_F(TXBoardProtocolFixture, HintIsTheExpectedReplyOfTheLastLine) {
    Run("st 1");
    Run("force");
    EXPECT_EQ(Run("hint"), TLines{"Hint: @@@@"});
    Run("go");
    EXPECT_EQ(Run("hint"), TLines{"Hint: @@@@"}); // a line of one move
    FEngine.FContinuation = {"d7d5", "g1f3"};
    Run("force");
    Run("go");
    EXPECT_EQ(Run("hint"), TLines{"Hint: d7d5"});
}

TEST_F(TXBoardProtocolFixture, RatingSetsTheContempt) {
    struct TCase {
        const char* Line;
        int         Contempt;
    };
    const TCase cases[] = {
        {"rating 2500 2000", 50}, {"rating 2000 2500", -50}, {"rating 0 2000", 0},
        {"rating 2300 2000", 20}, {"rating 2000 2300", -20}, {"rating 2000 2200", 0},
        {"rating 2351 2000", 50}, {"rating 2350 2000", 20},  {"rating 2000", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Run(c.Line), TLines{"# Contempt value is " + std::to_string(c.Contempt)});
        EXPECT_EQ(FEngine.CommonOptions().ContemptValue().Value(), c.Contempt);
    }
}

TEST_F(TXBoardProtocolFixture, OptionSetsEngineOptionsByName) {
    Run("option Contempt Value=10");
    EXPECT_EQ(FEngine.CommonOptions().ContemptValue().Value(), 10);
    Run("option  contempt value =-7");
    EXPECT_EQ(FEngine.CommonOptions().ContemptValue().Value(), -7);
    Run("option Check Option=0");
    EXPECT_EQ(FEngine.Option("Check Option").GetValueAsString(), "false");
    Run("option Text=two words");
    EXPECT_EQ(FEngine.Option("Text").GetValueAsString(), "two words");
    Run("option Combo=Three");
    EXPECT_EQ(FEngine.Option("Combo").GetValueAsString(), "Three");
    Run("option Button");
    EXPECT_EQ(FEngine.FButtonPresses, 1);
    EXPECT_EQ(Run("option NalimovPath=x"), TLines{});
    EXPECT_EQ(Run("option NalimovCache=4"), TLines{});
    EXPECT_EQ(Error("option Hash=64"), "Option 'Hash' not found.");
    // A value the option refuses leaves it as it was.
    EXPECT_FALSE(Error("option Contempt Value=40000").empty());
    EXPECT_EQ(FEngine.CommonOptions().ContemptValue().Value(), -7);
}

TEST_F(TXBoardProtocolFixture, PostNoPostAndTheStatusCommand) {
    Run("st 1");
    Run("force");
    Run("nopost");
    EXPECT_EQ(Run("go"), TLines{"move e2e4"});
    Run("force");
    Run("post");
    ExpectReply(Run("go"), "e7e5");
    const TLines status = Run(".");
    ASSERT_EQ(status.size(), 1U);
    EXPECT_TRUE(status[0].starts_with("stat01: ")) << status[0];
    FEngine.CommonOptions().ShowCurrLine().SetValue(true);
    EXPECT_EQ(Run(".").back(), "# Current line: e2e4 e7e5");
}

TEST_F(TXBoardProtocolFixture, ExcludeAndIncludeFilterTheSearch) {
    Run("st 1");
    Run("force");
    Run("exclude e2e4");
    ExpectReply(Run("go"), "e7e5");
    Run("force");
    Run("exclude all");
    Run("include g1f3");
    ExpectReply(Run("go"), "g1f3");
    Run("force");
    Run("excludeall");
    Run("include b8c6");
    Run("include all");
    Run("exclude e2e4");
    ExpectReply(Run("go"), "b8c6");
    EXPECT_EQ(Error("exclude e2e4"), "String list does not allow duplicates");
    Run("force");
    Run("includeall");
    EXPECT_TRUE(FEngine.RootMoves().AcceptAll());
}

TEST(TSetBoardCommand, PutsBackTheFieldXBoardLeavesOut) {
    struct TCase {
        const char* Sent;
        const char* Read;
    };
    // clang-format off
    const TCase cases[] = {
        {"bbnqrnkr/pppppppp/8/8/8/8/PPPPPPPP/BBNQRNKR w - 0 1",
         "bbnqrnkr/pppppppp/8/8/8/8/PPPPPPPP/BBNQRNKR w - - 0 1"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w d6 0 2",   "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2"},
        {"4k3/8/8/8/8/8/8/R3K3 b Q 3 12",     "4k3/8/8/8/8/8/8/R3K3 b Q - 3 12"},
        // Complete, shorter or otherwise different texts stay as they are.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1",     "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - -",         "4k3/8/8/8/8/8/8/4K3 w - -"},
        {"4k3/8/8/8/8/8/8/4K3[Qq] w - - 0",   "4k3/8/8/8/8/8/8/4K3[Qq] w - - 0"},
        {"4k3/8/8/8/8/8/8/4K3 w - 3+3 0",     "4k3/8/8/8/8/8/8/4K3 w - 3+3 0"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CompleteXBoardFen(c.Sent), c.Read) << c.Sent;
}
