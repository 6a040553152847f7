#include "games/uPerft.h"

#include "games/uGameTestHelpers.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

#ifdef KV_SLOW_BUILD
constexpr std::uint64_t NodeLimit = 500000;
#else
constexpr std::uint64_t NodeLimit = 7000000;
#endif

struct TPerftRow {
    std::string   Variant;
    std::string   Fen;
    int           Depth;
    std::uint64_t Nodes;
};

// Rows of a perft table (tab-separated, header first) for the variants in AVariants.
std::vector<TPerftRow> ReadRows(const std::string&           AFileName,
                                const std::set<std::string>& AVariants) {
    std::vector<TPerftRow> rows;
    std::ifstream          file(AFileName);
    std::string            line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        std::vector<std::string> fields;
        std::stringstream        stream(line);
        std::string              field;
        while (std::getline(stream, field, '\t'))
            fields.push_back(field);
        if (fields.size() < 6 || fields[2] != "fen" || AVariants.count(fields[0]) == 0)
            continue;
        rows.push_back({fields[0], fields[3], std::stoi(fields[4]), std::stoull(fields[5])});
    }
    return rows;
}

void CheckRows(const std::vector<TPerftRow>& ARows) {
    int checked = 0;
    for (const TPerftRow& row : ARows) {
        if (row.Nodes > NodeLimit)
            continue;
        SCOPED_TRACE(row.Variant + " " + row.Fen + " depth " + std::to_string(row.Depth));
        TTestGame game = MakeGame(row.Variant, row.Fen);
        game.Generator->SetPerftMode(true);
        EXPECT_EQ(Perft(*game.Position, *game.Generator, row.Depth), row.Nodes);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

const std::set<std::string> ChessFamily = {"chess",    "chess960",  "nocastle",
                                           "shuffle",  "random256", "dunsany",
                                           "giveaway", "horde",     "hordeChess"};

// The variants with rules of their own, and the setups whose game ends they decide.
const std::set<std::string> RuleVariants = {"3Check",   "kingOfTheHill", "racingKings",
                                            "atomic",   "crazyhouse",    "dunsany",
                                            "giveaway", "horde",         "hordeChess"};

} // namespace

TEST(Perft, MatchesThePublishedCounts) {
    CheckRows(ReadRows(KV_TEST_DATA_DIR "/perft-chess.tsv", ChessFamily));
}

// Counts of the variant rules, from established variant engines: the published rows and the
// cases where a generator that does not complete the rules goes wrong.
TEST(Perft, MatchesTheVariantReferenceCounts) {
    CheckRows(ReadRows(KV_TEST_DATA_DIR "/perft-variants.tsv", RuleVariants));
}

// The shared table, when present, is the reference the project is judged by: every chess-family
// row within the node limit must match.
TEST(Perft, MatchesTheSharedReferenceTable) {
    std::set<std::string> variants = RuleVariants;
    variants.insert({"chess", "chess960", "nocastle", "shuffle", "random256"});
    const std::vector<TPerftRow> rows = ReadRows(KV_SHARED_DATA_DIR "/perft-public.tsv", variants);
    if (rows.empty())
        GTEST_SKIP() << "no shared reference table here";
    CheckRows(rows);
}

TEST(Perft, CountsTheSameInBothGeneratorModes) {
    constexpr const char* Fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    };
    for (const char* fen : Fens) {
        SCOPED_TRACE(fen);
        TTestGame evaluating = MakeGame("chess", fen);
        TTestGame counting = MakeGame("chess", fen);
        counting.Generator->SetPerftMode(true);
        EXPECT_EQ(Perft(*evaluating.Position, *evaluating.Generator, 3),
                  Perft(*counting.Position, *counting.Generator, 3));
    }
    TTestGame game = MakeGame("chess");
    EXPECT_EQ(Perft(*game.Position, *game.Generator, 0), 1u);
    EXPECT_EQ(Perft(*game.Position, *game.Generator, 1), 20u);
}
