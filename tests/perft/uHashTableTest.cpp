#include "perft/uHashTable.h"

#include "platform/uPlatformSystem.h"

#include <gtest/gtest.h>

namespace {

// A one-MiB table of 20-byte items.
void Allocate(THashTable& ATable) {
    ATable.SetItemSize(20);
    ATable.SetSizeInMB(1);
    ATable.ReallocateMemory();
}

std::uint64_t Stat(const std::atomic<std::uint64_t>& AValue) {
    return AValue.load();
}

} // namespace

TEST(THashTable, DoesNothingUntilAllocated) {
    THashTable table;
    EXPECT_EQ(table.Find(5, 5), nullptr);
    EXPECT_EQ(table.Add(5, 5), nullptr);
    EXPECT_EQ(table.StateToString(), "N/A");
    table.SetItemSize(20);
    EXPECT_LE(table.DefaultSizeInMB(), table.MaxSizeInMB());
    EXPECT_EQ(table.SizeInMB(), table.DefaultSizeInMB());
}

TEST(THashTable, FindsAddsAndCountsEachOutcome) {
    THashTable table;
    Allocate(table);
    EXPECT_EQ(table.AllocatedItems(), 1048576u / 20);
    EXPECT_EQ(table.Find(77, 3), nullptr);
    EXPECT_EQ(Stat(table.Statistics().Missed), 1u);

    THashTable::TWord* item = table.Add(77, 3);
    ASSERT_NE(item, nullptr);
    item[2].store(1234);
    EXPECT_EQ(table.Add(77, 3), item);
    EXPECT_EQ(Stat(table.Statistics().New), 1u);
    EXPECT_EQ(Stat(table.Statistics().Updated), 1u);
    EXPECT_EQ(table.Find(77, 3), item);
    EXPECT_EQ(table.Find(77, 3)[2].load(), 1234u);
    EXPECT_EQ(Stat(table.Statistics().Found), 2u);

    // A colliding key takes the next free entry and is found there.
    THashTable::TWord* neighbour = table.Add(78, 3);
    EXPECT_EQ(neighbour, item + 5);
    EXPECT_EQ(table.Find(78, 3 + table.AllocatedItems()), neighbour);
}

TEST(THashTable, ReplacesOnlyWhenAllowed) {
    THashTable table;
    Allocate(table);
    const std::uint64_t last = table.AllocatedItems() - 1;
    // Ten entries from the last one, wrapping around to the first.
    for (std::uint64_t code = 1; code <= 10; ++code)
        ASSERT_NE(table.Add(code, last), nullptr);
    EXPECT_NE(table.Find(10, last), nullptr);
    EXPECT_EQ(table.Find(10, 8), table.Add(10, 8)) << "the wrapped entry is entry 8";

    table.SetAllowReplace(false);
    EXPECT_EQ(table.Add(99, last), nullptr);
    EXPECT_EQ(Stat(table.Statistics().Corrupted), 1u);
    table.SetAllowReplace(true);
    THashTable::TWord* home = table.Add(99, last);
    EXPECT_EQ(Stat(table.Statistics().Replaced), 1u);
    EXPECT_EQ(table.Find(99, last), home);
    EXPECT_EQ(table.Find(1, last), nullptr) << "the first probed entry was overwritten";
    EXPECT_EQ(table.StateToString(),
              "Allocated Items: 52428\nAllocated Size: 1048560\nUsage: 0.01 %\nUsage Details: "
              "Fnd: 3, Missed: 1, Corrupted: 1, Conflicted: 0, Replaced: 1, Updated: 1, New: 10");
    table.Clear();
    EXPECT_EQ(table.Find(99, last), nullptr);
    EXPECT_EQ(Stat(table.Statistics().New), 0u);
}

TEST(THashTable, KeepsItsContentsWhenTheSizeDoesNotChange) {
    THashTable table;
    Allocate(table);
    table.Add(42, 7);
    table.ReallocateMemory();
    EXPECT_NE(table.Find(42, 7), nullptr);
    table.SetSizeInMB(2);
    table.ReallocateMemory();
    EXPECT_EQ(table.Find(42, 7), nullptr);
    EXPECT_EQ(table.AllocatedItems(), 2u * 1048576 / 20);
}

// The block comes as zero pages: a table of a gigabyte is empty without being cleared and takes
// memory only where entries are written.
TEST(THashTable, TakesMemoryOnlyWhereEntriesAreWritten) {
    THashTable table;
    table.SetItemSize(20);
    if (table.MaxSizeInMB() < 1024)
        GTEST_SKIP() << "less than a gigabyte available here";
    const std::uint64_t before = ProcessPrivateBytes();
    table.SetSizeInMB(1024);
    table.ReallocateMemory();
    ASSERT_EQ(table.AllocatedItems(), 1024u * 1048576 / 20);
    for (std::uint64_t i = 0; i < 1000; ++i) {
        EXPECT_EQ(table.Find(i + 1, i * 53653), nullptr);
        table.Add(i + 1, i * 53653)[2].store(7);
    }
    EXPECT_EQ(Stat(table.Statistics().New), 1000u);
    EXPECT_LT(ProcessPrivateBytes() - before, std::uint64_t{64} << 20);
}

// Entries placed in part of the block move to their new homes when that part grows, if the
// owner can tell each entry's slot from its words (here: the slot is kept in word 2).
TEST(THashTable, MovesItsEntriesWhenThePartInUseGrows) {
    THashTable table;
    Allocate(table);
    table.SetActiveItems(1000);
    for (std::uint64_t code = 1; code <= 600; ++code)
        table.Add(code, code * 7919)[2].store(static_cast<std::uint32_t>(code * 7919));
    const auto slotOf = [](const std::uint32_t* AWords) -> std::uint64_t { return AWords[2]; };
    table.SetActiveItems(4000, slotOf);
    EXPECT_EQ(table.ActiveItems(), 4000u);
    for (std::uint64_t code = 1; code <= 600; ++code) {
        const THashTable::TWord* item = table.Find(code, code * 7919);
        ASSERT_NE(item, nullptr) << code;
        EXPECT_EQ(item[2].load(), code * 7919);
    }
    table.SetActiveItems(table.AllocatedItems() + 5);
    EXPECT_EQ(table.ActiveItems(), table.AllocatedItems());
}
