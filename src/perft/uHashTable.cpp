#include "perft/uHashTable.h"

#include "platform/uPlatformMemory.h"
#include "platform/uPlatformSystem.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr std::uint64_t MiB = 1048576;

std::uint64_t Relaxed(const std::atomic<std::uint64_t>& AValue) {
    return AValue.load(std::memory_order_relaxed);
}

} // namespace

THashTable::THashTable() {
    FMaxSizeInMB = LargestAllocatableBlock() / MiB;
    FDefaultSizeInMB = FMaxSizeInMB * 2 / 3;
    FSizeInMB = FDefaultSizeInMB;
}

THashTable::~THashTable() {
    UnallocateMemory();
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
    if (FAllocatedData == nullptr)
        return;
    Log("Free Hash");
    FreeZeroedBlock(FAllocatedData, FAllocatedSize);
    FAllocatedData = nullptr;
    FAllocatedItems = 0;
    FActiveItems = 0;
    FAllocatedSize = 0;
    Log("Free Hash Done");
}

void THashTable::ReallocateMemory() {
    const std::uint64_t items = FSizeInMB * MiB / FItemSize;
    if (items == FAllocatedItems && (FAllocatedData != nullptr || items == 0))
        return;
    UnallocateMemory();
    ResetStatistics();
    if (items == 0)
        return;
    const std::uint64_t size = items * FItemSize;
    Log("Allocate Hash of size " + std::to_string(size));
    void* block = size <= SIZE_MAX ? AllocateZeroedBlock(static_cast<std::size_t>(size)) : nullptr;
    if (block == nullptr)
        throw Exception("Can not allocate hash of size " + std::to_string(size) + " bytes.");
    // Zero pages are entries with empty key words: the table starts empty without a write.
    FAllocatedData = static_cast<TWord*>(block);
    FAllocatedItems = items;
    FActiveItems = items;
    FAllocatedSize = size;
    Log("Allocated");
}

void THashTable::SetActiveItems(std::uint64_t AValue, TSlotOf ASlotOf,
                                const std::function<bool()>& AStopped) {
    const std::uint64_t previous = FActiveItems;
    FActiveItems = std::clamp<std::uint64_t>(AValue, FAllocatedItems == 0 ? 0 : 1, FAllocatedItems);
    if (ASlotOf == nullptr || FActiveItems == previous)
        return;
    // Out first, then in again: moving entries one by one would leave holes in the probe runs
    // of entries not yet moved.
    std::vector<std::uint32_t> entries;
    for (std::uint64_t index = 0; index < previous; ++index) {
        TWord* item = Item(index);
        if (CodeOf(item) == 0)
            continue;
        for (std::uint32_t word = 0; word < FItemWords; ++word) {
            entries.push_back(item[word].load());
            item[word].store(0);
        }
    }
    TCounters moves;
    // The homes a few entries ahead are fetched while the current one goes in.
    constexpr std::size_t Ahead = 16;
    const std::size_t     count = entries.size() / FItemWords;
    const auto            homeOf = [&](std::size_t AEntry) {
        return HomeIndex(ASlotOf(entries.data() + AEntry * FItemWords));
    };
    for (std::size_t entry = 0; entry < count; ++entry) {
        // Entries not yet back are lost to a stop, which is all a stop costs.
        if (entry % 65536 == 0 && AStopped && AStopped())
            return;
        if (entry + Ahead < count)
            PrefetchHome(homeOf(entry + Ahead));
        const std::uint32_t* words = entries.data() + entry * FItemWords;
        const std::uint64_t  code = words[0] | static_cast<std::uint64_t>(words[1]) << 32;
        TWord*               item = AddAtHome(code, homeOf(entry), moves);
        if (item != nullptr)
            for (std::uint32_t word = 2; word < FItemWords; ++word)
                item[word].store(words[word]);
    }
}

void THashTable::ResetStatistics() {
    for (std::atomic<std::uint64_t>* counter :
         {&FStatistics.Found, &FStatistics.Missed, &FStatistics.Replaced, &FStatistics.Updated,
          &FStatistics.Corrupted, &FStatistics.Conflicted, &FStatistics.New})
        counter->store(0, std::memory_order_relaxed);
}

void THashTable::Clear() {
    const auto start = std::chrono::steady_clock::now();
    ResetStatistics();
    ZeroBlock(FAllocatedData, static_cast<std::size_t>(FAllocatedSize));
    FLastOperationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void THashTable::Refresh() {
    const auto          start = std::chrono::steady_clock::now();
    const std::uint64_t words = FAllocatedItems * FItemWords;
    std::uint32_t       sum = 0;
    for (std::uint64_t i = 0; i < words; ++i)
        sum += FAllocatedData[i].load();
    volatile std::uint32_t sink = sum;
    (void)sink;
    FLastOperationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void THashTable::AddStatistics(const TCounters& ACounters) {
    const auto add = [](std::atomic<std::uint64_t>& ATotal, std::uint64_t AValue) {
        if (AValue != 0)
            ATotal.fetch_add(AValue, std::memory_order_relaxed);
    };
    add(FStatistics.Found, ACounters.Found);
    add(FStatistics.Missed, ACounters.Missed);
    add(FStatistics.Replaced, ACounters.Replaced);
    add(FStatistics.Updated, ACounters.Updated);
    add(FStatistics.Corrupted, ACounters.Corrupted);
    add(FStatistics.Conflicted, ACounters.Conflicted);
    add(FStatistics.New, ACounters.New);
}

std::string THashTable::StateToString() const {
    if (FAllocatedData == nullptr)
        return "N/A";
    const std::uint64_t usage = Relaxed(FStatistics.New) * 10000 / FAllocatedItems;
    const std::string   hundredths = std::to_string(usage % 100);
    std::string         result = "Allocated Items: " + std::to_string(FAllocatedItems) + "\n";
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
