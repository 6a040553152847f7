#include "perft/uPerftCalculator.h"

#include "games/uGameTestHelpers.h"
#include "uPerftTableTestSupport.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

#ifdef KV_SLOW_BUILD
constexpr std::uint64_t NodeLimit = 500000;
#else
constexpr std::uint64_t NodeLimit = 7000000;
#endif
// Also in the slow builds: the smallest rows of chess and three-check need this many.
constexpr std::uint64_t CheckedNodeLimit = 200000;

void CheckRows(const std::vector<TPerftRow>& ARows) {
    int checked = 0;
    for (const TPerftRow& row : ARows) {
        if (row.Nodes > NodeLimit)
            continue;
        SCOPED_TRACE(Describe(row));
        TTestGame game = MakeGame(row.Variant, row.Position);
        EXPECT_EQ(CalculatorPerft(game, row.Depth), row.Nodes);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace

TEST(TPerftCalculator, MatchesThePublishedCounts) {
    CheckRows(ReadPerftTable(KV_TEST_DATA_DIR "/perft-chess.tsv", "fen"));
}

// Counts of the variant rules, from established variant engines: the published rows and the
// cases where a generator that does not complete the rules goes wrong.
TEST(TPerftCalculator, MatchesTheVariantReferenceCounts) {
    CheckRows(ReadPerftTable(KV_TEST_DATA_DIR "/perft-variants.tsv", "fen"));
}

// The public reference counts of every chess-family variant, each row within the node limit.
TEST(TPerftCalculator, MatchesThePublicReferenceTable) {
    const std::vector<TPerftRow> rows = ReadPerftTable(KV_TEST_DATA_DIR "/perft-public.tsv", "fen");
    ASSERT_GT(rows.size(), 50u);
    CheckRows(rows);
}

// Every registered variant brings counts of its own, and gives them.
TEST(TPerftCalculator, EveryVariantGivesTheCountsItDeclares) {
    const TGameVariants& variants = TestVariants();
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const TGameVariant& variant = variants.Items(i);
        SCOPED_TRACE(variant.Name());
        const std::vector<TPerftReference>& references = variant.Description().Perft;
        EXPECT_FALSE(references.empty());
        std::vector<TPerftRow> rows;
        for (const TPerftReference& reference : references)
            rows.push_back({variant.Name(), std::string(reference.Position), reference.Depth,
                            reference.Nodes});
        CheckRows(rows);
    }
}

TEST(TPerftCalculator, CountsTheSameInBothGeneratorModes) {
    constexpr const char* Fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    };
    for (const char* fen : Fens) {
        SCOPED_TRACE(fen);
        TTestGame game = MakeGame("chess", fen);
        EXPECT_EQ(CalculatorPerft(game, 3, false), CalculatorPerft(game, 3, true));
    }
    TTestGame game = MakeGame("chess");
    EXPECT_EQ(CalculatorPerft(game, 0), 1u);
    EXPECT_EQ(CalculatorPerft(game, 1), 20u);
}

// Every position met below the smaller rows of every table, of both families, passes the
// self-check after each make and each revert, and each revert restores the position string.
TEST(TPerftCalculator, EveryMadeAndRevertedPositionPassesTheSelfCheck) {
    struct TTable {
        const char* File;
        const char* Format;
    };
    constexpr TTable      Tables[] = {{KV_TEST_DATA_DIR "/perft-chess.tsv", "fen"},
                                      {KV_TEST_DATA_DIR "/perft-variants.tsv", "fen"},
                                      {KV_TEST_DATA_DIR "/perft-shogi.tsv", "sfen"}};
    std::set<std::string> variants;
    for (const TTable& table : Tables)
        for (const TPerftRow& row : ReadPerftTable(table.File, table.Format)) {
            if (row.Nodes > CheckedNodeLimit)
                continue;
            SCOPED_TRACE(Describe(row));
            TTestGame game = MakeGame(row.Variant, row.Position);
            game.Generator->SetPerftMode(true);
            ASSERT_EQ(CheckedPerft(game, row.Depth), row.Nodes);
            variants.insert(row.Variant);
        }
    // Both families and the variants with state of their own were walked.
    for (const char* variant : {"chess", "crazyhouse", "3Check", "atomic", "shogi", "minishogi"})
        EXPECT_EQ(variants.count(variant), 1u) << variant;
}
