#include "perft/uPerftCalculatorThreads.h"

#include "games/uGameTestHelpers.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftReport.h"
#include "platform/uPlatformSystem.h"
#include "support/uExceptions.h"
#include "uPerftTableTestSupport.h"
#include "uPerftTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

#ifdef KV_SLOW_BUILD
constexpr std::uint64_t TableNodeLimit = 500000;
constexpr std::uint64_t PlainNodeLimit = 100000;
// The sanitizers keep shadow memory beside every page the table touches.
constexpr std::uint64_t TouchedMemoryLimit = std::uint64_t{600} << 20;
#else
constexpr std::uint64_t TableNodeLimit = 7000000;
constexpr std::uint64_t PlainNodeLimit = 2000000;
constexpr std::uint64_t TouchedMemoryLimit = std::uint64_t{200} << 20;
#endif

constexpr const char* KiwipeteFen =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

// The perft lines written after the root moves, without their varying figures.
std::vector<std::string> Ending(const std::vector<std::string>& AEvents) {
    std::vector<std::string> ending;
    for (const std::string& event : AEvents)
        if (RootLines({event}).empty())
            ending.push_back(event.substr(0, event.find(": ") + 1));
    return ending;
}

struct TConfiguration {
    int Threads;
    int HashMiB;
};

// What a perft hands its report, kept as data.
class TRecordingReport final : public IPerftReport {
public:
    struct TRoot {
        std::string                Move;
        std::uint64_t              Count;
        std::vector<std::uint64_t> WorkerCounts;
        std::uint64_t              GeneratorRuns;
    };
    void RootMoveCounted(const TPerftRootMove& ARootMove) override {
        Roots.push_back({std::string(ARootMove.Move),
                         ARootMove.Count,
                         {ARootMove.WorkerCounts.begin(), ARootMove.WorkerCounts.end()},
                         ARootMove.Statistics != nullptr ? ARootMove.Statistics->Count() : 0});
    }
    void PerftEnded(const TPerftEnd& AEnd) override {
        ++Ends;
        Total = AEnd.Total;
        Cause = AEnd.Cause;
        Failure = AEnd.Failure;
    }

    std::vector<TRoot> Roots;
    int                Ends = 0;
    std::uint64_t      Total = 0;
    TPerftStopCause    Cause = pcCompleted;
    std::string        Failure;
};

// Runs a perft of the position on AThreads workers with the table, to its end.
void RunPerft(TTestGame& AGame, int ADepth, int AThreads, THashTable* ATable,
              TRecordingReport& AReport, bool ATerminateFirst = false) {
    TPerftCalculatorThreads perft;
    perft.SetGameVariant(AGame.Variant);
    perft.SetPosition(AGame.Position->Clone());
    perft.SetMaximalDepth(ADepth);
    perft.SetThreadCount(AThreads);
    perft.SetHashTable(ATable);
    perft.SetReport(&AReport);
    if (ATerminateFirst)
        perft.Terminate();
    perft.Start();
    perft.WaitFor();
}

} // namespace

// The counting core reports data, not lines: every root move once, in list order, with each
// worker's count, then one end with the total and why it ended.
TEST(TPerftCalculatorThreads, ReportsRootMovesAndTheEndAsData) {
    THashTable table;
    table.SetItemSize(20);
    table.SetSizeInMB(4);
    table.ReallocateMemory();
    TTestGame game = MakeGame("chess", KiwipeteFen);

    TRecordingReport report;
    RunPerft(game, 3, 2, &table, report);
    ASSERT_EQ(report.Roots.size(), 48u);
    std::uint64_t sum = 0;
    for (const TRecordingReport::TRoot& root : report.Roots) {
        SCOPED_TRACE(root.Move);
        EXPECT_EQ(root.WorkerCounts, (std::vector<std::uint64_t>{root.Count, root.Count}));
        EXPECT_GT(root.GeneratorRuns, 0u);
        sum += root.Count;
    }
    EXPECT_EQ(report.Roots.front().Move, game.MoveTexts().front());
    EXPECT_EQ(report.Ends, 1);
    EXPECT_EQ(report.Cause, pcCompleted);
    EXPECT_EQ(report.Total, 97862u);
    EXPECT_EQ(sum, report.Total);

    TRecordingReport aborted;
    RunPerft(game, 3, 2, &table, aborted, true);
    EXPECT_TRUE(aborted.Roots.empty());
    EXPECT_EQ(aborted.Ends, 1);
    EXPECT_EQ(aborted.Cause, pcAborted);

    TTestGame        bare = MakeGame("chess", "k7/8/8/8/8/8/8/7K w - - 0 1");
    TRecordingReport failed;
    RunPerft(bare, 40, 1, &table, failed);
    EXPECT_EQ(failed.Ends, 1);
    EXPECT_EQ(failed.Cause, pcFailed);
    EXPECT_EQ(failed.Failure, PerftOverflowMessage);
}

// Every row of the chess table is exact through the engine on one and on several threads, with
// the table and without it, and the root moves' counts agree between all of them.
TEST(TPerftCalculatorThreads, MatchesTheReferenceCountsOnAnyThreadsWithAndWithoutTable) {
    constexpr TConfiguration Configurations[] = {{1, 16}, {3, 16}, {1, 0}, {3, 0}};
    int                      checked = 0;
    for (const TPerftRow& row : ReadPerftTable(KV_TEST_DATA_DIR "/perft-chess.tsv", "fen")) {
        if (row.Nodes > TableNodeLimit)
            continue;
        std::vector<std::string> reference;
        for (const TConfiguration& configuration : Configurations) {
            if (configuration.HashMiB == 0 && row.Nodes > PlainNodeLimit)
                continue;
            SCOPED_TRACE(row.Variant + " " + row.Position + " depth " + std::to_string(row.Depth) +
                         ", " + std::to_string(configuration.Threads) + " threads, table " +
                         std::to_string(configuration.HashMiB) + " MiB");
            TPerftEngine perft(configuration.Threads, configuration.HashMiB);
            perft.SetPosition(row.Variant, row.Position);
            const std::vector<std::string> events = perft.Perft(row.Depth);
            EXPECT_EQ(NodesSearched(events), static_cast<std::int64_t>(row.Nodes));
            EXPECT_FALSE(Contains(events, "Error:Different Thread Results"));
            if (reference.empty())
                reference = RootLines(events);
            else
                EXPECT_EQ(RootLines(events), reference);
        }
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

// Eight workers share one table without locks; the thread checker watches this one.
TEST(TPerftCalculatorThreads, EightThreadsShareTheTableExactly) {
    TPerftEngine single(1, 0);
    single.SetPosition("chess", KiwipeteFen);
    const std::vector<std::string> expected = RootLines(single.Perft(3));

    TPerftEngine eight(8, 4);
    eight.SetPosition("chess", KiwipeteFen);
    for (int run = 0; run < 2; ++run) {
        const std::vector<std::string> events = eight.Perft(3);
        EXPECT_EQ(NodesSearched(events), 97862);
        EXPECT_EQ(RootLines(events), expected);
        EXPECT_FALSE(Contains(events, "Error:Different Thread Results"));
    }
}

TEST(TPerftCalculatorThreads, ListsTheRootMovesOfTheStartPositionAndTheTotals) {
    TPerftEngine             perft;
    std::vector<std::string> legal;
    {
        TVexdraEngine& engine = perft.Engine();
        TMoveListGuard guard(engine.MoveGenerator());
        for (const TMove& move : guard.List())
            legal.push_back(engine.Position().MoveToString(move) + ": 1");
    }
    const std::vector<std::string> events = perft.Perft(1);
    ASSERT_EQ(legal.size(), 20u);
    EXPECT_EQ(RootLines(events), legal);
    EXPECT_EQ(Ending(events),
              (std::vector<std::string>{
                  "Info:Nodes Searched:", "Info:Nodes/second:", "Info:Elapsed Time:"}));
    EXPECT_EQ(NodesSearched(events), 20);
    EXPECT_EQ(perft.Engine().PowerRequest().Count(), 0);
}

// A repeated perft takes every root move's subtree from the table: one list per root move.
TEST(TPerftCalculatorThreads, ARepeatedPerftIsServedFromTheTable) {
    TPerftEngine perft(2);
    perft.Engine().Output()->SetDebugMode(true);
    const std::vector<std::string> first = perft.Perft(4);
    const std::vector<std::string> second = perft.Perft(4);
    EXPECT_EQ(NodesSearched(second), 197281);
    EXPECT_EQ(RootLines(second), RootLines(first));
    int generatorLines = 0;
    for (const std::string& event : second)
        if (event.find("generator runs") != std::string::npos) {
            EXPECT_EQ(event, "Debug:1 generator runs, average moves: 20 (20..20)");
            ++generatorLines;
        }
    EXPECT_EQ(generatorLines, 20);
    EXPECT_TRUE(second.back().starts_with("Info:Elapsed Time: "));
    EXPECT_TRUE(Contains(second, "Debug:" + perft.Engine().HashTable().StateToString()));
}

TEST(TPerftCalculatorThreads, RefusesDepthsOutsideOneToNinetyNine) {
    TPerftEngine perft;
    for (const int depth : {0, -3}) {
        try {
            perft.Engine().GetPerft(depth);
            ADD_FAILURE() << depth;
        } catch (const EArgumentOutOfRangeException& e) {
            EXPECT_STREQ(e.what(), "Perft requires positive number argument.");
        }
    }
    EXPECT_THROW(perft.Engine().GetPerft(100), EArgumentOutOfRangeException);
    EXPECT_FALSE(perft.Engine().PerftRunning());
    EXPECT_EQ(perft.Engine().PowerRequest().Count(), 0);
    EXPECT_EQ(NodesSearched(perft.Perft(2)), 400);
}

// Stop, a new perft, a new position and the engine's end all end a running perft: it says
// "Aborted" instead of a total, leaves no thread and releases the power request.
TEST(TPerftCalculatorThreads, EndsARunningPerftWhenTheEngineMovesOn) {
    TPerftEngine   perft(2);
    TVexdraEngine& engine = perft.Engine();
    const auto     aborted = [&](const std::vector<std::string>& AEvents) {
        EXPECT_EQ(NodesSearched(AEvents), -1);
        ASSERT_GE(AEvents.size(), 2u);
        EXPECT_EQ(AEvents[AEvents.size() - 2], "Info:Aborted");
        EXPECT_TRUE(AEvents.back().starts_with("Info:Elapsed Time: "));
        EXPECT_FALSE(engine.PerftRunning());
        EXPECT_EQ(engine.PowerRequest().Count(), 0);
    };

    engine.GetPerft(9);
    engine.Stop();
    aborted(perft.Events());

    perft.Recorder().ClearEvents();
    engine.GetPerft(9);
    engine.SetStartPos();
    aborted(perft.Events());

    perft.Recorder().ClearEvents();
    engine.GetPerft(9);
    engine.GetPerft(1);
    engine.WaitForPerft();
    const std::vector<std::string> events = perft.Events();
    const auto abortedAt = std::find(events.begin(), events.end(), "Info:Aborted");
    ASSERT_NE(abortedAt, events.end());
    EXPECT_EQ(NodesSearched({abortedAt, events.end()}), 20);

    engine.GetPerft(9); // the engine's end waits for it
}

// A worker that fails (here: a count beyond 64 bits, which the table makes quick to reach) makes
// the perft fail as a whole: an error line and no total, whatever the thread count.
TEST(TPerftCalculatorThreads, AFailingWorkerFailsThePerft) {
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        TPerftEngine perft(threads);
        perft.SetPosition("chess", "k7/8/8/8/8/8/8/7K w - - 0 1");
        const std::vector<std::string> events = perft.Perft(40);
        EXPECT_TRUE(Contains(events, std::string("Error:") + PerftOverflowMessage));
        EXPECT_EQ(NodesSearched(events), -1);
        EXPECT_TRUE(RootLines(events).empty());
        EXPECT_TRUE(events.back().starts_with("Info:Elapsed Time: "));
        EXPECT_EQ(perft.Engine().PowerRequest().Count(), 0);
    }
}

// The table is keyed exactly as described: a count changed together with its checksum is taken
// as it is, a count changed without it is detected as corrupted and counted again.
TEST(TPerftCalculatorThreads, TrustsOnlyItemsWhoseChecksumAgrees) {
    TPerftEngine   perft;
    TVexdraEngine& engine = perft.Engine();
    engine.SetPositionWithMoves("", "e2e4 e7e5");
    const THash hash = engine.Position().Hash();
    engine.SetStartPos();
    ASSERT_EQ(NodesSearched(perft.Perft(4)), 197281);

    // After e2e4 e7e5 two plies remain in a perft of 4: the item holds their count. (Counts of
    // one remaining ply are not stored: counting them is cheaper than fetching them.)
    const TPerftDepthCode& code = PerftDepthCodes()[1];
    const std::uint64_t    key = hash.Code ^ code.Code;
    THashTable::TWord*     item = engine.HashTable().Find(key, PerftSlotOf(key));
    ASSERT_NE(item, nullptr);
    const std::uint32_t leaves = item[2].load();
    EXPECT_EQ(leaves, 835u);
    EXPECT_EQ(item[3].load(), 0u);
    const auto checksum = [&](std::uint32_t ACount) {
        return item[0].load() ^ item[1].load() ^ ACount;
    };
    EXPECT_EQ(item[4].load(), checksum(leaves));

    item[2].store(leaves + 5);
    item[4].store(checksum(leaves + 5));
    std::vector<std::string> events = perft.Perft(4);
    EXPECT_TRUE(Contains(events, "Info:e2e4: 13165")) << "13160 + 5";

    item[2].store(leaves + 7);
    events = perft.Perft(4);
    EXPECT_EQ(NodesSearched(events), 197281);
    EXPECT_TRUE(Contains(events, "Info:e2e4: 13160"));
    EXPECT_GE(engine.HashTable().Statistics().Corrupted.load(), 1u);
    EXPECT_EQ(item[2].load(), leaves) << "stored again";
}

// A table the system cannot give is an error; the perft runs without one.
TEST(TPerftCalculatorThreads, CountsWithoutTheTableWhenItCannotBeAllocated) {
    TPerftEngine perft;
    perft.Engine().HashTable().SetSizeInMB(std::uint64_t{1} << 32); // 4 PiB
    const std::vector<std::string> events = perft.Perft(3);
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.front().starts_with("Error:Can not allocate hash of size "));
    EXPECT_EQ(NodesSearched(events), 8902);
    EXPECT_EQ(perft.Engine().HashTable().StateToString(), "N/A");
}

// A large table takes memory as counts are stored in it, not as large as it is: the part in use
// grows when it fills up, and the counts stored so far move along.
TEST(TPerftCalculatorThreads, GrowsThePartOfTheTableInUseWithItsContents) {
    TPerftEngine perft(2, 1024);
    THashTable&  table = perft.Engine().HashTable();
    if (table.MaxSizeInMB() < 1024)
        GTEST_SKIP() << "less than a gigabyte available here";
    const std::uint64_t before = ProcessPrivateBytes();
    EXPECT_EQ(NodesSearched(perft.Perft(5)), 4865609);
    EXPECT_LT(ProcessPrivateBytes() - before, TouchedMemoryLimit);
    const std::uint64_t stored = table.Statistics().New.load();
    EXPECT_LT(table.ActiveItems(), table.AllocatedItems());

    // As if the part in use were full: the next perft grows it on its way.
    table.SetActiveItems(stored);
    EXPECT_EQ(NodesSearched(perft.Perft(5)), 4865609);
    EXPECT_EQ(table.ActiveItems(), 4 * stored);
    perft.Engine().Output()->SetDebugMode(true);
    const std::vector<std::string> events = perft.Perft(5);
    EXPECT_EQ(NodesSearched(events), 4865609);
    // Also the counts of the first root move, stored before the growth, are found after it.
    int served = 0;
    for (const std::string& event : events)
        served += event == "Debug:1 generator runs, average moves: 20 (20..20)";
    EXPECT_EQ(served, 20);
}

TEST(TContinuousStatistics, KeepsTheRangeSumAndAverage) {
    TContinuousStatistics statistics;
    EXPECT_TRUE(std::isnan(statistics.GetAverage()));
    for (const double value : {20.0, 7.0, 31.0, 22.0})
        statistics.Add(value);
    EXPECT_EQ(statistics.Minimum(), 7.0);
    EXPECT_EQ(statistics.Maximum(), 31.0);
    EXPECT_EQ(statistics.Count(), 4u);
    EXPECT_DOUBLE_EQ(statistics.GetAverage(), 20.0);
    statistics.Reset();
    statistics.Add(-3);
    EXPECT_EQ(statistics.Minimum(), -3.0);
    EXPECT_EQ(statistics.Maximum(), -3.0);
}
