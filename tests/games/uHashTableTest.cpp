#include <gtest/gtest.h>

#include "games/uHashTable.h"

namespace {

// A one-MiB table of 20-byte items.
void Allocate(THashTable& ATable) {
    ATable.SetItemSize(20);
    ATable.SetSizeInMB(1);
    ATable.ReallocateMemory();
}

std::uint64_t Stat(const std::atomic<std::uint64_t>& AValue) { return AValue.load(); }

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
