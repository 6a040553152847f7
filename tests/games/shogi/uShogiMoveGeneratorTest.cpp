#include "games/shogi/uShogiForsythEdwardsNotationParser.h"
#include "games/shogi/uShogiPosition.h"
#include "games/uGameTestHelpers.h"
#include "perft/uPerftTableTestSupport.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

#ifdef KV_SLOW_BUILD
constexpr std::uint64_t NodeLimit = 400000;
#else
constexpr std::uint64_t NodeLimit = 2000000;
#endif

std::string SortedMoves(TTestGame& AGame) {
    std::vector<std::string> moves = AGame.MoveTexts();
    std::sort(moves.begin(), moves.end());
    std::string result;
    for (const std::string& move : moves)
        result += (result.empty() ? "" : " ") + move;
    return result;
}

bool Lists(TTestGame& AGame, const std::string& AMove) {
    const std::vector<std::string> moves = AGame.MoveTexts();
    return std::find(moves.begin(), moves.end(), AMove) != moves.end();
}

} // namespace

// Both generator modes must give the published counts, start positions and positions with
// pieces in hand alike; the evaluating mode is checked on the smaller rows.
TEST(TShogiMoveGenerator, MatchesThePublishedCounts) {
    const std::vector<TPerftRow> rows = ReadPerftTable(KV_TEST_DATA_DIR "/perft-shogi.tsv", "sfen");
    ASSERT_GE(rows.size(), 20u);
    int checked = 0;
    for (const TPerftRow& row : rows) {
        if (row.Nodes > NodeLimit)
            continue;
        SCOPED_TRACE(Describe(row));
        TTestGame game = MakeGame(row.Variant, row.Position);
        EXPECT_EQ(CalculatorPerft(game, row.Depth), row.Nodes);
        if (row.Nodes < 100000) {
            EXPECT_EQ(CalculatorPerft(game, row.Depth, false), row.Nodes);
        }
        ++checked;
    }
    EXPECT_GE(checked, 15);
}

// Whole move lists of small positions, each showing one rule; the lists were confirmed by an
// independent shogi rules library.
TEST(TShogiMoveGenerator, ListsExactlyTheLegalMoves) {
    struct TCase {
        const char* Rule;
        const char* Sfen;
        const char* Moves;
    };
    // clang-format off
    constexpr TCase Cases[] = {
        {"a protected pawn's check: no drop, no rook move, only king steps",
         "4k4/9/9/9/9/9/4g4/4p4/R3K4 b P 1", "5i4i 5i6i"},
        {"a knight's check: take it or step away",
         "4k4/9/9/9/9/9/5n3/6G2/R3K4 b P 1", "3h4g 5i4h 5i4i 5i5h 5i6h 5i6i"},
        {"a lance's check: interpose by a move or a drop on any cell between",
         "4l3k/9/9/9/9/9/9/3S5/4K4 b G 1",
         "5i4h 5i4i 5i6i 6h5g G*5b G*5c G*5d G*5e G*5f G*5g G*5h"},
        {"a bishop's check along its diagonal; the king may not retreat on the line",
         "8k/9/9/9/8b/9/9/9/4K2R1 b P 1", "2i2f 5i4i 5i5h 5i6h 5i6i P*2f P*3g P*4h"},
        {"a horse's orthogonal step checks, and its diagonals cover the other cells",
         "8k/9/9/9/9/9/9/4+b4/4K4 b - 1", "5i5h"},
        {"a dragon's diagonal step checks",
         "8k/9/9/9/9/9/9/3+r5/4K4 b - 1", "5i4i 5i6h"},
        {"a promoted pawn checks like a gold",
         "8k/9/9/9/9/9/9/4+p4/4K4 b - 1", "5i5h"},
        {"pins by a lance, a horse, a bishop, a rook and a dragon: moves keep to the lines",
         "k3l4/9/9/9/+b7b/9/2S1G1S2/9/rL2K1G1+r b - 1",
         "3g2f 3g4h 3i2i 3i4i 5g5f 5g5h 5i4h 5i4i 5i5h 5i6h 5i6i 7g6h 7g8f"},
        {"double check by a lance and a knight: only the king moves",
         "4l3k/9/9/9/9/9/5n3/6G2/4K4 b P 1", "5i4h 5i4i 5i6h 5i6i"},
        {"a position string with a triple check: still only king moves",
         "4l3k/9/9/9/8b/9/5n3/9/4K4 b G 1", "5i4i 5i6h 5i6i"},
        {"a pawn and a knight must promote where they could not move again, a lance on the "
         "last row; a silver may promote",
         "k8/4P2S1/8L/5N3/9/9/9/9/4K4 b - 1",
         "1c1a+ 1c1b 1c1b+ 2b1a 2b1a+ 2b2a 2b2a+ 2b3a 2b3a+ 2b3c 2b3c+ 4d3b+ 5b5a+ "
         "5i4h 5i4i 5i5h 5i6h 5i6i"},
        {"a silver leaving the zone may promote; a gold never does",
         "k8/9/4S1G2/9/9/9/9/9/4K4 b - 1",
         "3c2b 3c2c 3c3b 3c3d 3c4b 3c4c 5c4b 5c4b+ 5c4d 5c4d+ 5c5b 5c5b+ 5c6b 5c6b+ 5c6d "
         "5c6d+ 5i4h 5i4i 5i5h 5i6h 5i6i"},
        {"minishogi: the zone is the last row, where the pawn must promote",
         "4k/P4/5/5/K4 b - 1", "5b5a+ 5e4d 5e4e 5e5d"},
        {"goro-goro shogi: the zone is the last two rows",
         "4k/5/1S3/5/5/K4 b - 1",
         "4c3b 4c3b+ 4c3d 4c4b 4c4b+ 4c5b 4c5b+ 4c5d 5f4e 5f4f 5f5e"},
        {"the second player: forward is towards rank i, and its pawn promotes on rank i",
         "4k4/9/9/9/9/9/9/6p2/K8 w - 1",
         "3h3i+ 5a4a 5a4b 5a5b 5a6a 5a6b"},
    };
    // clang-format on
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Rule);
        const std::string sfen = c.Sfen;
        const int         rows = static_cast<int>(std::count(sfen.begin(), sfen.end(), '/')) + 1;
        const char*       variant = rows == 9 ? "shogi" : rows == 5 ? "minishogi" : "goroGoroShogi";
        TTestGame         game = MakeGame(variant, c.Sfen);
        EXPECT_EQ(SortedMoves(game), c.Moves);
    }
}

TEST(TShogiMoveGenerator, RefusesPawnDropsThatMateOrDoublePawns) {
    struct TCase {
        const char* Rule;
        const char* Sfen;
        const char* Drop;
        bool        Listed;
    };
    constexpr TCase Cases[] = {
        {"mate: the king is boxed in by its own knight and the gold",
         "7nk/9/7G1/9/9/9/9/9/K8 b P 1", "P*1b", false},
        {"check only: the king escapes to 2a", "8k/9/7G1/9/9/9/9/9/K8 b P 1", "P*1b", true},
        {"mate: the silver that could take the pawn is pinned by the rook",
         "R6sk/9/7G1/9/9/9/9/9/K8 b P 1", "P*1b", false},
        {"check only: the unpinned silver takes the pawn", "7sk/9/7G1/9/9/9/9/9/K8 b P 1", "P*1b",
         true},
        {"two unpromoted pawns on a file", "8k/9/9/9/5+P3/9/4P4/9/4K4 b P 1", "P*5f", false},
        {"a promoted pawn does not count", "8k/9/9/9/5+P3/9/4P4/9/4K4 b P 1", "P*4f", true},
        {"a pawn on the last rank could not move", "8k/9/9/9/9/9/9/9/4K4 b P 1", "P*3a", false},
        {"the second player's pawn on the last rank", "4k4/9/9/9/9/9/9/9/K8 w p 1", "P*3i", false},
        {"the second player's pawn drop mate", "k8/9/9/9/9/9/1gn6/9/K8 w p 1", "P*9h", false},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Rule);
        TTestGame game = MakeGame("shogi", c.Sfen);
        EXPECT_EQ(Lists(game, c.Drop), c.Listed);
    }
}

TEST(TShogiMoveGenerator, DropsEachPieceOnlyWhereItCouldMoveAgain) {
    TTestGame game = MakeGame("shogi", "k8/9/9/9/9/9/9/9/8K b LNSGBR 1");
    int       drops[8] = {};
    for (const std::string& move : game.MoveTexts()) {
        if (move[1] != '*')
            continue;
        const char rank = move[3];
        if (move[0] == 'L') {
            EXPECT_NE(rank, 'a') << move;
        }
        if (move[0] == 'N') {
            EXPECT_GT(rank, 'b') << move;
        }
        ++drops[std::string_view("LNSGBR").find(move[0])];
    }
    // 79 empty cells; the lance loses rank a (8 of them), the knight ranks a and b (17).
    EXPECT_EQ(drops[0], 71);
    EXPECT_EQ(drops[1], 62);
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(drops[i], 79);
}

TEST(TShogiMoveGenerator, ListsOnlyCapturesWhenTheyAreCompulsory) {
    // The bishop can take on 2b; the gold in hand could be dropped.
    TTestGame game =
        MakeGame("shogi", "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNS1KGSNL b G 5");
    game.Generator->SetMustCapture(true);
    EXPECT_EQ(SortedMoves(game), "8h2b 8h2b+");
    TTestGame quiet = MakeGame("shogi");
    quiet.Generator->SetMustCapture(true);
    EXPECT_EQ(quiet.MoveTexts().size(), 30u);
}

TEST(TShogiMoveGenerator, ScoresMaterialWithHandsForTheFirstPlayer) {
    TTestGame even = MakeGame("shogi");
    even.MoveTexts();
    EXPECT_EQ(even.Generator->Score(), 0);
    // The first player holds a rook more, whoever is to move.
    for (const char* sfen : {"4k4/9/9/9/9/9/9/9/4K4 b R 1", "4k4/9/9/9/9/9/9/9/4K4 w R 1"}) {
        TTestGame game = MakeGame("shogi", sfen);
        game.MoveTexts();
        EXPECT_GT(game.Generator->Score(), 0) << sfen;
    }
}

// Far more moves than any real game has: the list refuses them and the generator stays usable.
// No shogi set holds these pieces, so only a parser without the variant's set reads them.
TEST(TShogiMoveGenerator, RaisesWhenAListWouldOverflow) {
    TTestGame                          game = MakeGame("shogi");
    TShogiForsythEdwardsNotationParser unchecked;
    unchecked.SetPosition(game.Position.get());
    unchecked.Parse(
        "1+B+R1k4/5+R3/7+R1/6+R2/2+B+R4+R/6+B2/+R6+R1/3+B3+R1/4K4 b 9R14B4G4S4N4L18P 1");
    try {
        game.MoveTexts();
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Move stack overflow");
    }
    EXPECT_EQ(game.Generator->MoveStack().LastMoveList(), nullptr);
    auto parser = game.Variant->CreateForsythEdwardsNotationParser();
    parser->SetPosition(game.Position.get());
    parser->Parse("4k4/9/9/9/9/9/9/4+p4/4K4 b - 1");
    EXPECT_EQ(SortedMoves(game), "5i5h");
}

// A move that mates at once scores as a win for the side to move, whichever side that is; a
// check that is no mate does not.
TEST(TShogiMoveGenerator, ScoresAMateInOneAsAWin) {
    struct TCase {
        const char* Sfen;
        bool        Wins;
    };
    constexpr TCase Cases[] = {
        {"4k4/9/4P4/9/9/9/9/9/4K4 b G 1", true},
        {"4k4/9/9/9/9/9/4p4/9/4K4 w g 1", true},
        {"4k4/9/9/9/9/9/9/9/4K4 b G 1", false},
        // G*5b would mate, but only captures are listed.
        {"4k4/9/4P4/9/9/9/8p/8P/K8 b G 1", false},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Sfen);
        TTestGame game = MakeGame("shogi", c.Sfen);
        game.Generator->SetMustCapture(std::string(c.Sfen).find("8p/8P") != std::string::npos);
        const std::vector<std::string> moves = game.MoveTexts();
        EXPECT_EQ(game.Generator->Score() == TChessMoveGenerator::WinningMoveScore, c.Wins);
        // The list itself is untouched by the look at the replies.
        game.Generator->SetPerftMode(true);
        EXPECT_EQ(game.MoveTexts(), moves);
    }
}

namespace {

std::uint64_t WalkWith(TMoveGenerator& AGenerator, TPosition& APosition, int ADepth) {
    TMoveListGuard guard(AGenerator);
    if (ADepth <= 1)
        return guard.List().Count;
    std::uint64_t nodes = 0;
    for (const TMove& move : guard.List()) {
        APosition.MakeRevertableMove(move);
        nodes += WalkWith(AGenerator, APosition, ADepth - 1);
        APosition.RevertMove(move);
    }
    return nodes;
}

} // namespace

// A generator keeps the tables of its board while positions change, and builds them again when
// a position on a board of another size comes: one generator handed the rows of four board sizes
// in turn counts what the published rows say.
TEST(TShogiMoveGenerator, CountsRightAfterEveryChangeOfBoardSize) {
    std::vector<TPerftRow> rows;
    for (TPerftRow& row : ReadPerftTable(KV_TEST_DATA_DIR "/perft-shogi.tsv", "sfen"))
        if (row.Nodes < 30000 && row.Depth >= 2)
            rows.push_back(std::move(row));
    ASSERT_GE(rows.size(), 8u);
    TTestGame shared = MakeGame("shogi");
    for (int round = 0; round < 2; ++round)
        for (const TPerftRow& row : rows) {
            SCOPED_TRACE(Describe(row));
            TTestGame game = MakeGame(row.Variant, row.Position);
            shared.Generator->SetPosition(game.Position.get());
            EXPECT_EQ(WalkWith(*shared.Generator, *game.Position, row.Depth), row.Nodes);
        }
}
