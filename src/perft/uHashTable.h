#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A fixed-size-entry table shared without locks (the perft threads). An entry is an array of
// 32-bit words, each read and written as a relaxed atomic: words 0 and 1 hold the 64-bit key
// code (0 means empty), the rest belongs to the owner, who also writes a check value that reveals
// torn entries. Probing looks at SlotCount consecutive entries from the home entry, wrapping
// around.
//
// The block comes from the kernel as zero pages: it is never cleared by the program, and only
// the pages that entries are written to take memory (see ActiveItems). Allocation, sizing and
// Clear happen only while no thread probes. The statistics are relaxed counters, approximate
// under concurrency; hot loops count into a TCounters of their own and add it once.
class THashTable {
public:
    // One word of an entry. The storage is a plain 32-bit number, so that zero pages from the
    // kernel are valid words without being written; every access goes through an atomic
    // reference, so a reader racing with a writer sees the old or the new word, never a torn one.
    class TWord {
    public:
        std::uint32_t load(std::memory_order AOrder = std::memory_order_relaxed) const {
            return std::atomic_ref<std::uint32_t>(const_cast<std::uint32_t&>(FValue)).load(AOrder);
        }
        void store(std::uint32_t AValue, std::memory_order AOrder = std::memory_order_relaxed) {
            std::atomic_ref<std::uint32_t>(FValue).store(AValue, AOrder);
        }

    private:
        std::uint32_t FValue;
    };
    static_assert(sizeof(TWord) == 4 && alignof(TWord) == 4);
    static_assert(std::atomic_ref<std::uint32_t>::is_always_lock_free);
    static_assert(std::atomic_ref<std::uint32_t>::required_alignment <= alignof(TWord));

    // Plain counters of one thread.
    struct TCounters {
        std::uint64_t Found = 0;
        std::uint64_t Missed = 0;
        std::uint64_t Replaced = 0;
        std::uint64_t Updated = 0;
        std::uint64_t Corrupted = 0;
        std::uint64_t Conflicted = 0;
        std::uint64_t New = 0;
    };
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
    ~THashTable();
    THashTable(const THashTable&) = delete;
    THashTable& operator=(const THashTable&) = delete;

    // Bytes per entry, a multiple of 4 and at least 8. Sets the size limits from the machine:
    // the largest block it can allocate and a third of its physical memory as the default.
    void SetItemSize(std::uint32_t AValue);
    void SetSlotCount(std::uint32_t AValue) { FSlotCount = AValue == 0 ? 1 : AValue; }
    void SetAllowReplace(bool AValue) { FAllowReplace = AValue; }
    // Allocates SizeInMB of zero pages when the item count changes (the statistics start again);
    // otherwise keeps the contents. Raises when the system refuses the block; the table is then
    // empty and unallocated.
    void ReallocateMemory();
    void UnallocateMemory();
    // Empties every entry and the statistics.
    void Clear();
    // Touches every word once, bringing the block into memory.
    void Refresh();

    // The entry holding AHashCode, or null (also when nothing is allocated).
    TWord* Find(std::uint64_t AHashCode, std::uint64_t AHashIndex) {
        return FAllocatedData == nullptr
                   ? nullptr
                   : FindAtHome(AHashCode, HomeIndex(AHashIndex), FStatistics);
    }
    // The entry that now holds AHashCode (new, equal or replaced), or null when the probed entries
    // are taken and replacing is off. The caller fills the rest of the entry.
    TWord* Add(std::uint64_t AHashCode, std::uint64_t AHashIndex) {
        return FAllocatedData == nullptr ? nullptr
                                         : AddAtHome(AHashCode, HomeIndex(AHashIndex), FStatistics);
    }

    // For hot loops that probe one key several times: the home entry's number, computed once,
    // and the operations from it, counting into the caller's own counters. Only while allocated.
    std::uint64_t HomeIndex(std::uint64_t AHashIndex) const {
        // Table indexes are mostly 32-bit; their division is the cheaper one.
        if (((AHashIndex | FActiveItems) >> 32) == 0)
            return static_cast<std::uint32_t>(AHashIndex) %
                   static_cast<std::uint32_t>(FActiveItems);
        return AHashIndex % FActiveItems;
    }
    template <class TCounterSet>
    TWord* FindAtHome(std::uint64_t AHashCode, std::uint64_t AHome, TCounterSet& ACounters);
    template <class TCounterSet>
    TWord* AddAtHome(std::uint64_t AHashCode, std::uint64_t AHome, TCounterSet& ACounters);
    // Asks the memory system to bring the home entry closer.
    void PrefetchHome(std::uint64_t AHome) const {
        const char* item = reinterpret_cast<const char*>(Item(AHome));
        __builtin_prefetch(item);
        __builtin_prefetch(item + FItemSize - 1);
    }
    void        AddStatistics(const TCounters& ACounters);
    std::string StateToString() const;

    std::uint32_t ItemSize() const { return FItemSize; }
    std::uint32_t SlotCount() const { return FSlotCount; }
    bool          AllowReplace() const { return FAllowReplace; }
    bool          Allocated() const { return FAllocatedData != nullptr; }
    std::uint64_t AllocatedItems() const { return FAllocatedItems; }
    // The entries that keys are placed in, from the first: all allocated ones unless an owner
    // fills the block step by step, so that memory is taken only as the contents grow. Only while
    // no thread probes. Changing the number moves the keys' homes: an owner that can tell each
    // entry's slot index from the entry (ASlotOf) has the stored entries placed anew, otherwise
    // they may not be found any more. AStopped, asked now and then, cuts the moving short: the
    // entries not yet placed are then dropped.
    using TSlotOf = std::uint64_t (*)(const std::uint32_t* AWords);
    std::uint64_t      ActiveItems() const { return FActiveItems; }
    void               SetActiveItems(std::uint64_t AValue, TSlotOf ASlotOf = nullptr,
                                      const std::function<bool()>& AStopped = {});
    std::uint64_t      AllocatedSize() const { return FAllocatedSize; }
    std::uint64_t      MaxItemCount() const { return FMaxItemCount; }
    std::uint64_t      DefaultItemCount() const { return FDefaultItemCount; }
    const TStatistics& Statistics() const { return FStatistics; }
    // Milliseconds taken by the last Clear or Refresh.
    double LastOperationMs() const { return FLastOperationMs; }

    // The size option, in MiB.
    std::uint64_t SizeInMB() const { return FSizeInMB; }
    void          SetSizeInMB(std::uint64_t AValue) { FSizeInMB = AValue; }
    std::uint64_t MinSizeInMB() const { return 0; }
    std::uint64_t MaxSizeInMB() const { return FMaxSizeInMB; }
    std::uint64_t DefaultSizeInMB() const { return FDefaultSizeInMB; }
    // Receives the allocation messages ("Allocate Hash of size ...") for the log.
    void SetOnLog(std::function<void(std::string_view)> AValue) { FOnLog = std::move(AValue); }

private:
    void        ResetStatistics();
    static void Count(std::atomic<std::uint64_t>& ACounter) {
        ACounter.fetch_add(1, std::memory_order_relaxed);
    }
    static void Count(std::uint64_t& ACounter) { ++ACounter; }

    static std::uint64_t CodeOf(const TWord* AItem) {
        return AItem[0].load() | static_cast<std::uint64_t>(AItem[1].load()) << 32;
    }
    static void SetCode(TWord* AItem, std::uint64_t ACode) {
        AItem[0].store(static_cast<std::uint32_t>(ACode));
        AItem[1].store(static_cast<std::uint32_t>(ACode >> 32));
    }
    TWord* Item(std::uint64_t AIndex) const { return FAllocatedData + AIndex * FItemWords; }
    void   Log(std::string_view AText) const {
          if (FOnLog)
            FOnLog(AText);
    }

    bool          FAllowReplace = true;
    std::uint32_t FSlotCount = 10;
    std::uint32_t FItemSize = 8;
    std::uint32_t FItemWords = 2;
    TWord*        FAllocatedData = nullptr; // a zero-page block of FAllocatedSize bytes
    std::uint64_t FAllocatedItems = 0;
    std::uint64_t FActiveItems = 0;
    std::uint64_t FAllocatedSize = 0;
    std::uint64_t FMaxItemCount = 0;
    std::uint64_t FDefaultItemCount = 0;
    std::uint64_t FSizeInMB = 0;
    std::uint64_t FMaxSizeInMB = 0;
    std::uint64_t FDefaultSizeInMB = 0;
    double        FLastOperationMs = 0;
    TStatistics   FStatistics;
    std::function<void(std::string_view)> FOnLog;
};

template <class TCounterSet>
THashTable::TWord* THashTable::FindAtHome(std::uint64_t AHashCode, std::uint64_t AHome,
                                          TCounterSet& ACounters) {
    std::uint64_t index = AHome;
    for (std::uint32_t probe = 0; probe < FSlotCount; ++probe) {
        TWord*              item = Item(index);
        const std::uint64_t code = CodeOf(item);
        if (code == AHashCode) {
            Count(ACounters.Found);
            return item;
        }
        if (code == 0)
            break;
        if (++index == FActiveItems)
            index = 0;
    }
    Count(ACounters.Missed);
    return nullptr;
}

template <class TCounterSet>
THashTable::TWord* THashTable::AddAtHome(std::uint64_t AHashCode, std::uint64_t AHome,
                                         TCounterSet& ACounters) {
    const std::uint64_t home = AHome;
    std::uint64_t       index = home;
    for (std::uint32_t probe = 0; probe < FSlotCount; ++probe) {
        TWord*              item = Item(index);
        const std::uint64_t code = CodeOf(item);
        if (code == 0) {
            SetCode(item, AHashCode);
            Count(ACounters.New);
            return item;
        }
        if (code == AHashCode) {
            Count(ACounters.Updated);
            return item;
        }
        if (++index == FActiveItems)
            index = 0;
    }
    if (!FAllowReplace) {
        Count(ACounters.Corrupted);
        return nullptr;
    }
    Count(ACounters.Replaced);
    TWord* item = Item(home);
    SetCode(item, AHashCode);
    return item;
}
