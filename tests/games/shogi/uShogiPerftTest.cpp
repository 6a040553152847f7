#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "games/uGameTestHelpers.h"
#include "games/uPerft.h"

namespace {

#ifdef KV_SLOW_BUILD
constexpr std::uint64_t NodeLimit = 400000;
#else
constexpr std::uint64_t NodeLimit = 2000000;
#endif

struct TShogiPerftRow {
    std::string Variant;
    std::string Sfen;
    int Depth;
    std::uint64_t Nodes;
};

// The rows of the shogi family's perft table (tab-separated, header first).
std::vector<TShogiPerftRow> ReadShogiRows() {
    std::vector<TShogiPerftRow> rows;
    std::ifstream file(KV_TEST_DATA_DIR "/perft-shogi.tsv");
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t'))
            fields.push_back(field);
        if (fields.size() < 6 || fields[2] != "sfen")
            continue;
        rows.push_back({fields[0], fields[3] == "startpos" ? "" : fields[3],
                        std::stoi(fields[4]), std::stoull(fields[5])});
    }
    return rows;
}

} // namespace

// Both generator modes must give the published counts, start positions and positions with
// pieces in hand alike; the evaluating mode is checked on the smaller rows only.
TEST(TShogiMoveGenerator, MatchesThePublishedCounts) {
    const std::vector<TShogiPerftRow> rows = ReadShogiRows();
    ASSERT_GE(rows.size(), 20u);
    int checked = 0;
    for (const TShogiPerftRow& row : rows) {
        if (row.Nodes > NodeLimit)
            continue;
        SCOPED_TRACE(row.Variant + " [" + row.Sfen + "] depth " + std::to_string(row.Depth));
        TTestGame game = MakeGame(row.Variant, row.Sfen);
        game.Generator->SetPerftMode(true);
        EXPECT_EQ(Perft(*game.Position, *game.Generator, row.Depth), row.Nodes);
        if (row.Nodes < 100000) {
            game.Generator->SetPerftMode(false);
            EXPECT_EQ(Perft(*game.Position, *game.Generator, row.Depth), row.Nodes);
        }
        ++checked;
    }
    EXPECT_GE(checked, 15);
}
