#include "games/uHashTable.h"

#include <algorithm>
#include <chrono>

#include "platform/uPlatformSystem.h"
#include "support/uExceptions.h"

namespace {

constexpr std::uint64_t MiB = 1048576;

std::uint64_t Relaxed(const std::atomic<std::uint64_t>& AValue) {
    return AValue.load(std::memory_order_relaxed);
}

void Increment(std::atomic<std::uint64_t>& AValue) {
    AValue.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

THashTable::THashTable() {
    FMaxSizeInMB = LargestAllocatableBlock() / MiB;
    FDefaultSizeInMB = FMaxSizeInMB * 2 / 3;
    FSizeInMB = FDefaultSizeInMB;
}

void THashTable::SetItemSize(std::uint32_t AValue) {
    if (AValue < 8 || AValue % 4 != 0)
        throw EArgumentOutOfRangeException("Invalid hash item size");
    FItemSize = AValue;
    FItemWords = AValue / 4;
    FMaxItemCount = LargestAllocatableBlock() / FItemSize;
    FDefaultItemCount =
        std::min(FMaxItemCount, ReadMemoryFigures().PhysicalTotal / (3 * std::uint64_t{FItemSize}));
    FDefaultSizeInMB = FDefaultItemCount * FItemSize / MiB;
    FMaxSizeInMB = FMaxItemCount * FItemSize / MiB;
    FSizeInMB = FDefaultSizeInMB;
}

void THashTable::UnallocateMemory() {
    if (!FAllocatedData)
        return;
    Log("Free Hash");
    FAllocatedData.reset();
    FAllocatedItems = 0;
    FAllocatedSize = 0;
    Log("Free Hash Done");
}

void THashTable::ReallocateMemory() {
    const std::uint64_t items = FSizeInMB * MiB / FItemSize;
    if (items == FAllocatedItems && (FAllocatedData || items == 0))
        return;
    UnallocateMemory();
    if (items == 0)
        return;
    const std::uint64_t size = items * FItemSize;
    Log("Allocate Hash of size " + std::to_string(size));
    FAllocatedData = std::make_unique<TWord[]>(items * FItemWords);
    FAllocatedItems = items;
    FAllocatedSize = size;
    Log("Allocated");
}

void THashTable::Clear() {
    const auto start = std::chrono::steady_clock::now();
    FStatistics.Found = 0;
    FStatistics.Missed = 0;
    FStatistics.Replaced = 0;
    FStatistics.Updated = 0;
    FStatistics.Corrupted = 0;
    FStatistics.Conflicted = 0;
    FStatistics.New = 0;
    const std::uint64_t words = FAllocatedItems * FItemWords;
    for (std::uint64_t i = 0; i < words; ++i)
        FAllocatedData[i].store(0, std::memory_order_relaxed);
    FLastOperationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void THashTable::Refresh() {
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t words = FAllocatedItems * FItemWords;
    std::uint32_t sum = 0;
    for (std::uint64_t i = 0; i < words; ++i)
        sum += FAllocatedData[i].load(std::memory_order_relaxed);
    volatile std::uint32_t sink = sum;
    (void)sink;
    FLastOperationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

THashTable::TWord* THashTable::Find(std::uint64_t AHashCode, std::uint64_t AHashIndex) {
    if (!FAllocatedData)
        return nullptr;
    std::uint64_t index = AHashIndex % FAllocatedItems;
    for (std::uint32_t probe = 0; probe < FSlotCount; ++probe) {
        TWord* item = Item(index);
        const std::uint64_t code = CodeOf(item);
        if (code == AHashCode) {
            Increment(FStatistics.Found);
            return item;
        }
        if (code == 0)
            break;
        if (++index == FAllocatedItems)
            index = 0;
    }
    Increment(FStatistics.Missed);
    return nullptr;
}

THashTable::TWord* THashTable::Add(std::uint64_t AHashCode, std::uint64_t AHashIndex) {
    if (!FAllocatedData)
        return nullptr;
    const std::uint64_t home = AHashIndex % FAllocatedItems;
    std::uint64_t index = home;
    for (std::uint32_t probe = 0; probe < FSlotCount; ++probe) {
        TWord* item = Item(index);
        const std::uint64_t code = CodeOf(item);
        if (code == 0) {
            SetCode(item, AHashCode);
            Increment(FStatistics.New);
            return item;
        }
        if (code == AHashCode) {
            Increment(FStatistics.Updated);
            return item;
        }
        if (++index == FAllocatedItems)
            index = 0;
    }
    if (!FAllowReplace) {
        Increment(FStatistics.Corrupted);
        return nullptr;
    }
    Increment(FStatistics.Replaced);
    TWord* item = Item(home);
    SetCode(item, AHashCode);
    return item;
}

std::string THashTable::StateToString() const {
    if (!FAllocatedData)
        return "N/A";
    const std::uint64_t usage = Relaxed(FStatistics.New) * 10000 / FAllocatedItems;
    const std::string hundredths = std::to_string(usage % 100);
    std::string result = "Allocated Items: " + std::to_string(FAllocatedItems) + "\n";
    result += "Allocated Size: " + std::to_string(FAllocatedSize) + "\n";
    result += "Usage: " + std::to_string(usage / 100) + "." +
              (hundredths.size() < 2 ? "0" + hundredths : hundredths) + " %\n";
    result += "Usage Details: Fnd: " + std::to_string(Relaxed(FStatistics.Found)) +
              ", Missed: " + std::to_string(Relaxed(FStatistics.Missed)) +
              ", Corrupted: " + std::to_string(Relaxed(FStatistics.Corrupted)) +
              ", Conflicted: " + std::to_string(Relaxed(FStatistics.Conflicted)) +
              ", Replaced: " + std::to_string(Relaxed(FStatistics.Replaced)) +
              ", Updated: " + std::to_string(Relaxed(FStatistics.Updated)) +
              ", New: " + std::to_string(Relaxed(FStatistics.New));
    return result;
}
