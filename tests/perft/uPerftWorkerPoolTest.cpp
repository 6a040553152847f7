#include "perft/uPerftWorkerPool.h"

#include "games/uGameTestHelpers.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr const char* KiwipeteFen =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

std::unique_ptr<THashTable> SmallTable() {
    auto table = std::make_unique<THashTable>();
    table->SetItemSize(20);
    table->SetSizeInMB(4);
    table->ReallocateMemory();
    return table;
}

bool AllEqual(std::span<const std::uint64_t> ACounts) {
    return std::all_of(ACounts.begin(), ACounts.end(),
                       [&](std::uint64_t ACount) { return ACount == ACounts.front(); });
}

} // namespace

// One pool serves a whole perft: its workers come back to the root after every root move, and a
// new root replaces the old one, with or without a table, on one worker or on several.
TEST(TPerftWorkerPool, CountsRootMoveAfterRootMoveAndRootAfterRoot) {
    for (const bool withTable : {false, true})
        for (const int workers : {1, 3}) {
            SCOPED_TRACE(std::to_string(workers) + (withTable ? " workers, table" : " workers"));
            const std::unique_ptr<THashTable> table = withTable ? SmallTable() : nullptr;
            TTestGame                         game = MakeGame("chess", KiwipeteFen);
            TPerftWorkerPool                  pool(*game.Variant, workers, table.get());
            ASSERT_EQ(pool.WorkerCount(), workers);
            pool.SetRoot(*game.Position);
            std::uint64_t  total = 0;
            TMoveListGuard guard(*game.Generator);
            for (const TMove& move : guard.List()) {
                pool.Count(&move, 2);
                ASSERT_TRUE(pool.Failure().empty()) << pool.Failure();
                ASSERT_EQ(pool.Counts().size(), static_cast<std::size_t>(workers));
                EXPECT_TRUE(AllEqual(pool.Counts()));
                EXPECT_GT(pool.Statistics().Count(), 0u);
                total += pool.Counts().front();
            }
            EXPECT_EQ(total, 97862u);
            pool.Count(nullptr, 3);
            EXPECT_EQ(pool.Counts().front(), 97862u);

            TTestGame start = MakeGame("chess");
            pool.SetRoot(*start.Position);
            pool.Count(nullptr, 3);
            EXPECT_TRUE(AllEqual(pool.Counts()));
            EXPECT_EQ(pool.Counts().front(), 8902u);
        }
}

// A worker whose count failed counts no more from that root, whatever the failure left of its
// position; a new root puts it back to work.
TEST(TPerftWorkerPool, AFailedWorkerCountsAgainOnlyFromANewRoot) {
    const std::unique_ptr<THashTable> table = SmallTable();
    TTestGame                         bare = MakeGame("chess", "k7/8/8/8/8/8/8/7K w - - 0 1");
    TPerftWorkerPool                  pool(*bare.Variant, 2, table.get());
    pool.SetRoot(*bare.Position);
    // A count beyond 64 bits, quick to reach with the table.
    pool.Count(nullptr, 40);
    EXPECT_EQ(pool.Failure(), PerftOverflowMessage);
    pool.Count(nullptr, 1);
    EXPECT_EQ(pool.Failure(), PerftOverflowMessage);

    pool.SetRoot(*bare.Position);
    pool.Count(nullptr, 1);
    EXPECT_TRUE(pool.Failure().empty());
    EXPECT_EQ(pool.Counts().front(), 3u);
}
