#include "app/uEngineSession.h"

#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// What the sessions write is not looked at here.
class TQuietOutput {
public:
    TQuietOutput() : FSaved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~TQuietOutput() {
        std::fflush(stdout);
        dup2(FSaved, STDOUT_FILENO);
        close(FSaved);
    }

private:
    int FSaved;
};

// Sessions that change as much as a front end can: protocols, variants, options, positions and
// moves, levels, analysis, perft, the end of the session.
constexpr const char* BusySessions[] = {
    "uci\nsetoption name UCI_Variant value crazyhouse\nsetoption name Threads value 3\n"
    "setoption name Contempt Value value 40\nsetoption name UCI_Opponent value GM 2800 human X\n"
    "ucinewgame\nposition startpos moves e2e4 e7e5\ngo wtime 1000 btime 1000 searchmoves g1f3\n"
    "perft 2\n",
    "xboard\nprotover 2\nvariant atomic\nlevel 40 5 0\nst 3\nforce\nusermove e2e4\nhard\npost\n"
    "analyze\nexclude e7e5\n.\nexit\ncomputer\nname Someone\nmemory 2\ncores 1\nundo\n"
    "setboard 4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\ngo\n",
    "usi\nsetoption name UCI_Variant value minishogi\nusinewgame\nposition startpos moves 1e2d\n"
    "go btime 100 wtime 100 byoyomi 10\ngameover win\n",
    "state\ndebug on\nperft 1\nuci\nposition fen 4k3/8/8/8/8/8/8/R3K3 w Q - 0 1 moves e1c1\n"
    "quit\n",
    "restart\n",
};

// The perft table's default follows the memory free at the moment: two sessions made apart may
// differ there, so both start from the same size.
void SameTable(TVexdraEngine& AEngine) {
    AEngine.PerftHash().SetValue(1);
}

} // namespace

TEST(TEngineSession, ResetRestoresEverythingANewSessionHas) {
    TQuietOutput   quiet;
    TEngineSession reference(SameTable);
    ASSERT_TRUE(reference.Initialized());
    const std::string fresh = reference.Fingerprint();
    TEngineSession    session(SameTable);
    ASSERT_EQ(session.Fingerprint(), fresh);
    for (const char* input : BusySessions) {
        SCOPED_TRACE(input);
        session.Application().ProcessInputText(input);
        ASSERT_NE(session.Fingerprint(), fresh); // the session did change something
        session.Reset();
        EXPECT_EQ(session.Fingerprint(), fresh);
    }
}

// A protocol selected again after a reset sets up the same state as in a new session.
TEST(TEngineSession, AProtocolChosenAfterAResetStartsAsInANewSession) {
    TQuietOutput quiet;
    for (const char* selection : {"uci\n", "xboard\nprotover 2\n", "usi\n"}) {
        SCOPED_TRACE(selection);
        TEngineSession reference(SameTable);
        reference.Application().ProcessInputText(selection);
        TEngineSession session(SameTable);
        session.Application().ProcessInputText(BusySessions[0]);
        session.Reset();
        session.Application().ProcessInputText(BusySessions[1]);
        session.Reset();
        session.Application().ProcessInputText(selection);
        EXPECT_EQ(session.Fingerprint(), reference.Fingerprint());
    }
}
