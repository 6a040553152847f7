#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A fixed-size-entry table shared without locks (the perft threads). Entries are arrays of
// 32-bit atomic words used with relaxed ordering: words 0 and 1 hold the 64-bit key code (0 means
// empty), the rest belongs to the owner, who also writes a check value that reveals torn
// entries. Probing looks at SlotCount consecutive entries from the home entry, wrapping around.
// The statistics are relaxed counters, approximate under concurrency.
class THashTable {
public:
    using TWord = std::atomic<std::uint32_t>;
    struct TStatistics {
        std::atomic<std::uint64_t> Found{0};
        std::atomic<std::uint64_t> Missed{0};
        std::atomic<std::uint64_t> Replaced{0};
        std::atomic<std::uint64_t> Updated{0};
        std::atomic<std::uint64_t> Corrupted{0};
        std::atomic<std::uint64_t> Conflicted{0};
        std::atomic<std::uint64_t> New{0};
    };

    THashTable();
    THashTable(const THashTable&) = delete;
    THashTable& operator=(const THashTable&) = delete;

    // Bytes per entry, a multiple of 4 and at least 8. Sets the size limits from the machine:
    // the largest block it can allocate and a third of its physical memory as the default.
    void SetItemSize(std::uint32_t AValue);
    void SetSlotCount(std::uint32_t AValue) { FSlotCount = AValue == 0 ? 1 : AValue; }
    void SetAllowReplace(bool AValue) { FAllowReplace = AValue; }
    // Allocates SizeInMB (zeroed) when the item count changes; otherwise keeps the contents.
    void ReallocateMemory();
    void UnallocateMemory();
    void Clear();
    // Touches every word once, bringing the block into memory.
    void Refresh();

    // The entry holding AHashCode, or null (also when nothing is allocated).
    TWord* Find(std::uint64_t AHashCode, std::uint64_t AHashIndex);
    // The entry that now holds AHashCode (new, equal or replaced), or null when the probed entries
    // are taken and replacing is off. The caller fills the rest of the entry.
    TWord* Add(std::uint64_t AHashCode, std::uint64_t AHashIndex);
    std::string StateToString() const;

    std::uint32_t ItemSize() const { return FItemSize; }
    std::uint32_t SlotCount() const { return FSlotCount; }
    bool AllowReplace() const { return FAllowReplace; }
    std::uint64_t AllocatedItems() const { return FAllocatedItems; }
    std::uint64_t AllocatedSize() const { return FAllocatedSize; }
    std::uint64_t MaxItemCount() const { return FMaxItemCount; }
    std::uint64_t DefaultItemCount() const { return FDefaultItemCount; }
    const TStatistics& Statistics() const { return FStatistics; }
    // Milliseconds taken by the last Clear or Refresh.
    double LastOperationMs() const { return FLastOperationMs; }

    // The size option, in MiB.
    std::uint64_t SizeInMB() const { return FSizeInMB; }
    void SetSizeInMB(std::uint64_t AValue) { FSizeInMB = AValue; }
    std::uint64_t MinSizeInMB() const { return 0; }
    std::uint64_t MaxSizeInMB() const { return FMaxSizeInMB; }
    std::uint64_t DefaultSizeInMB() const { return FDefaultSizeInMB; }
    // Receives the allocation messages ("Allocate Hash of size ...") for the log.
    void SetOnLog(std::function<void(std::string_view)> AValue) { FOnLog = std::move(AValue); }

private:
    std::uint64_t CodeOf(const TWord* AItem) const {
        return AItem[0].load(std::memory_order_relaxed) |
               static_cast<std::uint64_t>(AItem[1].load(std::memory_order_relaxed)) << 32;
    }
    void SetCode(TWord* AItem, std::uint64_t ACode) const {
        AItem[0].store(static_cast<std::uint32_t>(ACode), std::memory_order_relaxed);
        AItem[1].store(static_cast<std::uint32_t>(ACode >> 32), std::memory_order_relaxed);
    }
    TWord* Item(std::uint64_t AIndex) const { return FAllocatedData.get() + AIndex * FItemWords; }
    void Log(std::string_view AText) const {
        if (FOnLog)
            FOnLog(AText);
    }

    bool FAllowReplace = true;
    std::uint32_t FSlotCount = 10;
    std::uint32_t FItemSize = 8;
    std::uint32_t FItemWords = 2;
    std::unique_ptr<TWord[]> FAllocatedData;
    std::uint64_t FAllocatedItems = 0;
    std::uint64_t FAllocatedSize = 0;
    std::uint64_t FMaxItemCount = 0;
    std::uint64_t FDefaultItemCount = 0;
    std::uint64_t FSizeInMB = 0;
    std::uint64_t FMaxSizeInMB = 0;
    std::uint64_t FDefaultSizeInMB = 0;
    double FLastOperationMs = 0;
    TStatistics FStatistics;
    std::function<void(std::string_view)> FOnLog;
};
