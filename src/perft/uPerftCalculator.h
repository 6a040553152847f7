#pragma once

#include "perft/uHashTable.h"
#include "support/uRandomGenerator.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TMoveGenerator;
class TMoveList;
class TPosition;

// Minimum, maximum, sum and count of a series of values; the average of no value is NaN.
class TContinuousStatistics final {
public:
    void Add(double AValue) {
        if (FCount == 0) {
            FMinimum = AValue;
            FMaximum = AValue;
        } else if (AValue < FMinimum) {
            FMinimum = AValue;
        } else if (AValue > FMaximum) {
            FMaximum = AValue;
        }
        FSuma += AValue;
        ++FCount;
    }
    double GetAverage() const;
    void   Reset() { *this = TContinuousStatistics(); }

    double        Minimum() const { return FMinimum; }
    double        Maximum() const { return FMaximum; }
    double        Suma() const { return FSuma; }
    std::uint64_t Count() const { return FCount; }

private:
    double        FMinimum = 0;
    double        FMaximum = 0;
    double        FSuma = 0;
    std::uint64_t FCount = 0;
};

// The failure of a count too large for 64 bits.
extern const char* const PerftOverflowMessage;

// The table slot of a key: its key check. Being part of the item, the slot can be told from a
// stored item, so that the table can place its items anew when it grows.
std::uint64_t PerftSlotOf(std::uint64_t AKey);
std::uint64_t PerftSlotOfItem(const std::uint32_t* AWords);

// Spreads the keys of one position over the remaining depths: a subtree count is stored under
// the position's key XOR the code of its remaining depth.
struct TPerftDepthCode {
    std::uint32_t Index;
    std::uint64_t Code;
};
constexpr int PerftDepthCodeCount = 99;
using TPerftDepthCodes = std::array<TPerftDepthCode, PerftDepthCodeCount>;
// The process-wide codes, drawn once from the default generator seeded with 0, so that every run
// and every thread keys a subtree alike.
const TPerftDepthCodes& PerftDepthCodes();

// Counts the leaves of the legal-move tree below one position (a perft worker's counter). Owns
// its move generator and the position the generator works on; shares the hash table of subtree
// counts with the other workers. One thread calls CalculateTotal; any thread may call Terminate.
//
// Table item, five 32-bit words: key code, key check (together the table's 64-bit key), subtree
// count low and high, checksum = XOR of the other four. Items are read without a lock; a torn
// item fails the checksum and the subtree is counted again.
class TPerftCalculator final {
public:
    TPerftCalculator();
    ~TPerftCalculator();
    TPerftCalculator(const TPerftCalculator&) = delete;
    TPerftCalculator& operator=(const TPerftCalculator&) = delete;

    // The generator, in perft mode, set to APosition; the calculator owns both.
    void SetMoveGenerator(std::unique_ptr<TMoveGenerator> AMoveGenerator,
                          std::unique_ptr<TPosition>      APosition);
    // Another position for the generator set before; owned.
    void SetPosition(std::unique_ptr<TPosition> APosition);
    // The position counted from; a count leaves it as it found it, unless the count raises.
    TPosition& Position() { return *FPosition; }
    // The generator set last; a count in its evaluating mode checks that both modes list alike.
    TMoveGenerator& MoveGenerator() { return *FMoveGenerator; }
    // Shared, not owned; null or an unallocated table counts without storing.
    void SetHashTable(THashTable* AValue) { FHashTable = AValue; }
    // Each node's moves are then visited from a random first move on, so that workers counting
    // the same tree spread over it and fill the table for each other.
    void SetRandomStartMove(bool AValue) { FRandomStartMove = AValue; }
    void Terminate() { FTerminated.store(true, std::memory_order_relaxed); }
    bool Terminated() const { return FTerminated.load(std::memory_order_relaxed); }

    // Leaves AMaximalDepth plies below the position; 1 for a depth of 0 or less. A terminated
    // count returns early with a partial sum, which is never stored. Raises what the generator
    // raises ("Move stack overflow"), and PerftOverflowMessage for a count beyond 64 bits.
    std::uint64_t CalculateTotal(std::int32_t AMaximalDepth);

    // Number of moves of every generated list since the last reset.
    const TContinuousStatistics& MoveCountStatistics() const { return FMoveCountStatistics; }
    void                         ResetStatistics() { FMoveCountStatistics.Reset(); }

private:
    // Leaves ARemain + 1 plies below the position. The last ply is counted from the list.
    std::uint64_t Count(int ARemain);
    std::uint64_t CountWithoutPrefetch(TMoveList& AList, std::uint32_t AIndex,
                                       const TPerftDepthCode& ADepthCode, int ARemain);
    // Adds a subtree's count; false, and the count stops, when the sum leaves the 64-bit range.
    bool AddCount(std::uint64_t& ASum, std::uint64_t ACount) {
        if (__builtin_add_overflow(ASum, ACount, &ASum)) {
            FOverflowed = true;
            return false;
        }
        return true;
    }
    // Terminated, or a count that cannot be exact any more: the recursion unwinds without storing.
    bool Stopped() const { return Terminated() || FOverflowed; }
    // The count stored under the key, when an intact item holds it.
    bool Lookup(std::uint64_t AKey, std::uint64_t AHome, std::uint64_t& ACount);
    void Store(std::uint64_t AKey, std::uint64_t AHome, std::uint64_t ACount);

    std::unique_ptr<TPosition>      FPosition;
    std::unique_ptr<TMoveGenerator> FMoveGenerator;
    THashTable* FHashTable = nullptr; // shared, not owned; null when there is none to use
    const TPerftDepthCodes& FDepthCodes;
    bool                    FRandomStartMove = false;
    TKvRandomGenerator      FRandomGenerator;
    TContinuousStatistics   FMoveCountStatistics;
    // Counted here and added to the shared statistics at the end, so that the workers do not
    // fight over the cache lines of shared counters on every probe.
    THashTable::TCounters FTableCounters;
    // The children's keys of the nodes on the current path, a stack of FChildKeyTop entries.
    struct TChildKey {
        std::uint64_t Key;
        std::uint64_t Home; // the home entry of the key's slot
    };
    std::vector<TChildKey> FChildKeys;
    // The move counts of the children of a node one ply above the leaves' parents.
    std::vector<std::uint32_t> FChildCounts;
    std::size_t                FChildKeyTop = 0;
    bool                       FOverflowed = false;
    std::atomic<bool>          FTerminated{false};
};
