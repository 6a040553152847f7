#include "support/uSystemMemory.h"

#include "support/uExceptions.h"
#include "support/uPowerRequest.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint64_t MiB = 1024ULL * 1024ULL;
constexpr std::uint64_t GiB = 1024ULL * MiB;
} // namespace

TEST(TCustomSystemMemory, ReservesBySizeOfTheMachine) {
    struct TCase {
        std::uint64_t Total;
        std::uint64_t Reserved;
    };
    const TCase Cases[] = {
        {80 * MiB, 64 * MiB},       {96 * MiB, 72 * MiB},       {384 * MiB, 384 * MiB * 3 / 5},
        {1 * GiB, 1 * GiB * 3 / 5}, {3 * GiB / 2, 3 * GiB / 4}, {6 * GiB, 3 * GiB},
        {24 * GiB, 3 * GiB},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(TCustomSystemMemory::ReservedMemory(c.Total, c.Total), c.Reserved) << c.Total;
    // Never more than what is in use now.
    EXPECT_EQ(TCustomSystemMemory::ReservedMemory(24 * GiB, 1 * GiB), 1 * GiB);
}

TEST(TCustomSystemMemory, LimitsNeverUnderflow) {
    TCustomSystemMemory memory;
    // A machine without swap whose commit total is below its physical total.
    memory.SetFigures({20 * GiB, 24 * GiB}, {30 * GiB, 20 * GiB}, 4 * GiB, 4 * GiB);
    EXPECT_EQ(memory.PageFile().Total, 0u);
    EXPECT_EQ(memory.MaxPhysicalMemorySize64(), 4 * GiB);
    EXPECT_EQ(memory.MaxPhysicalMemorySize(), 3 * GiB);
    EXPECT_EQ(memory.MaxPhysicalMemoryOneBlockSize(), 3 * GiB / 2);
    EXPECT_TRUE(memory.CanAllocateMemory(4 * GiB - 8 * MiB));
    EXPECT_FALSE(memory.CanAllocateMemory(4 * GiB - 8 * MiB + 1));
    memory.SetFigures({24 * GiB, 24 * GiB}, {24 * GiB, 24 * GiB}, 0, 0);
    EXPECT_EQ(memory.MaxPhysicalMemorySize64(), 0u);
}

TEST(TCustomPowerRequest, DecrementWithoutIncrementRaises) {
    TCustomPowerRequest request;
    EXPECT_THROW(request.Decrement(), EArgumentException);
    EXPECT_EQ(request.Count(), 0);
    request.Increment();
    request.Increment();
    request.Decrement();
    EXPECT_EQ(request.Count(), 1);
}
