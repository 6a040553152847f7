#include "perft/uPerftCalculator.h"

#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "support/uExceptions.h"

#include <limits>

const char* const PerftOverflowMessage = "Perft node count exceeds the 64-bit range.";

double TContinuousStatistics::GetAverage() const {
    if (FCount == 0)
        return std::numeric_limits<double>::quiet_NaN();
    return FSuma / static_cast<double>(FCount);
}

// Both values of an entry are drawn, in the order of the seed-0 sequence; the table places a key
// by its key check, so only the 64-bit values take part in the keys.
const TPerftDepthCodes& PerftDepthCodes() {
    static const TPerftDepthCodes codes = [] {
        TKvRandomGenerator generator;
        generator.SetSeed(0);
        generator.RandomU4();
        TPerftDepthCodes result{};
        for (TPerftDepthCode& code : result) {
            code.Index = generator.RandomU4();
            code.Code = generator.RandomU8();
        }
        return result;
    }();
    return codes;
}

namespace {

// Item words: key code (0), key check, subtree count low and high, checksum.
constexpr int           KeyCheckWord = 1;
constexpr int           CountLowWord = 2;
constexpr int           CountHighWord = 3;
constexpr int           ChecksumWord = 4;
constexpr std::uint32_t ItemSize = 20;
// Keys of the children of every node on the current path: ample for chess lists at any depth
// the codes allow; a deeper or wider path probes without prefetching.
constexpr std::size_t ChildKeyCapacity = 16384;
// The longest list whose children's moves are counted in one go.
constexpr std::size_t MaxChildCounts = 1024;
// The least remaining depth of a node whose children go through the table.
constexpr int MinTableRemain = 2;

} // namespace

std::uint64_t PerftSlotOf(std::uint64_t AKey) {
    return AKey >> 32;
}

std::uint64_t PerftSlotOfItem(const std::uint32_t* AWords) {
    return AWords[KeyCheckWord];
}

namespace {

std::uint32_t Checksum(std::uint64_t AKey, std::uint32_t ACountLow, std::uint32_t ACountHigh) {
    return static_cast<std::uint32_t>(AKey) ^ static_cast<std::uint32_t>(AKey >> 32) ^ ACountLow ^
           ACountHigh;
}

} // namespace

TPerftCalculator::TPerftCalculator()
    : FDepthCodes(PerftDepthCodes()), FChildCounts(MaxChildCounts) {}

TPerftCalculator::~TPerftCalculator() {
    // The generator points to the position; it goes first.
    FMoveGenerator.reset();
    FPosition.reset();
}

void TPerftCalculator::SetMoveGenerator(std::unique_ptr<TMoveGenerator> AMoveGenerator,
                                        std::unique_ptr<TPosition>      APosition) {
    FMoveGenerator.reset();
    FPosition = std::move(APosition);
    FMoveGenerator = std::move(AMoveGenerator);
    if (FMoveGenerator) {
        FMoveGenerator->SetPerftMode(true);
        FMoveGenerator->SetPosition(FPosition.get());
    }
}

void TPerftCalculator::SetPosition(std::unique_ptr<TPosition> APosition) {
    FPosition = std::move(APosition);
    if (FMoveGenerator)
        FMoveGenerator->SetPosition(FPosition.get());
}

std::uint64_t TPerftCalculator::CalculateTotal(std::int32_t AMaximalDepth) {
    if (AMaximalDepth <= 0)
        return 1;
    struct TMergeCounters {
        TPerftCalculator& Calculator;
        THashTable*       Table;
        ~TMergeCounters() {
            if (Table != nullptr)
                Table->AddStatistics(Calculator.FTableCounters);
            Calculator.FTableCounters = {};
        }
    } merge{*this, FHashTable};
    // An unallocated table would only cost the probes' bookkeeping.
    if (FHashTable != nullptr && (!FHashTable->Allocated() || FHashTable->ItemSize() != ItemSize))
        FHashTable = nullptr;
    if (FHashTable != nullptr && FChildKeys.empty())
        FChildKeys.resize(ChildKeyCapacity);
    FChildKeyTop = 0;
    FOverflowed = false;
    const std::uint64_t total = Count(AMaximalDepth - 1);
    if (FOverflowed)
        throw Exception(PerftOverflowMessage);
    return total;
}

bool TPerftCalculator::Lookup(std::uint64_t AKey, std::uint64_t AHome, std::uint64_t& ACount) {
    const THashTable::TWord* item = FHashTable->FindAtHome(AKey, AHome, FTableCounters);
    if (item == nullptr)
        return false;
    const std::uint32_t low = item[CountLowWord].load();
    const std::uint32_t high = item[CountHighWord].load();
    if (item[ChecksumWord].load() != Checksum(AKey, low, high)) {
        ++FTableCounters.Corrupted;
        return false;
    }
    ACount = low | static_cast<std::uint64_t>(high) << 32;
    return true;
}

void TPerftCalculator::Store(std::uint64_t AKey, std::uint64_t AHome, std::uint64_t ACount) {
    THashTable::TWord* item = FHashTable->AddAtHome(AKey, AHome, FTableCounters);
    if (item == nullptr)
        return;
    const auto low = static_cast<std::uint32_t>(ACount);
    const auto high = static_cast<std::uint32_t>(ACount >> 32);
    item[CountLowWord].store(low);
    item[CountHighWord].store(high);
    item[ChecksumWord].store(Checksum(AKey, low, high));
}

std::uint64_t TPerftCalculator::Count(int ARemain) {
    if (ARemain == 0) {
        // The last ply is only counted.
        const std::uint32_t moveCount = FMoveGenerator->CountMoves();
        FMoveCountStatistics.Add(moveCount);
        return moveCount;
    }
    TMoveListGuard      guard(*FMoveGenerator);
    TMoveList&          list = guard.List();
    const std::uint32_t moveCount = list.Count;
    FMoveCountStatistics.Add(moveCount);
    if (moveCount == 0)
        return 0;

    TPosition&    position = *FPosition;
    std::uint64_t sum = 0;
    // The children's moves counted without playing them, where the generator can: no table
    // is used this close to the leaves, so the order of the children does not matter.
    if (ARemain == 1 && moveCount <= FChildCounts.size() &&
        FMoveGenerator->CountChildMoves(list, FChildCounts.data())) {
        for (std::uint32_t i = 0; i < moveCount; ++i) {
            FMoveCountStatistics.Add(FChildCounts[i]);
            sum += FChildCounts[i];
        }
        return sum;
    }
    std::uint32_t index = FRandomStartMove ? FRandomGenerator.RangeU4(moveCount - 1) : 0;
    // Children one ply above the leaves are counted faster than their items are fetched from
    // memory, and would crowd the table's deeper counts out: they are not looked up or stored.
    if (FHashTable == nullptr || ARemain < MinTableRemain) {
        for (std::uint32_t visited = 0; visited < moveCount; ++visited) {
            const TMove& move = *list.Get(index);
            if (++index == moveCount)
                index = 0;
            position.MakeRevertableMove(move);
            CheckPosition(position);
            const std::uint64_t count = Count(ARemain - 1);
            position.RevertMove(move);
            CheckPosition(position);
            if (Stopped() || !AddCount(sum, count))
                return sum;
        }
        return sum;
    }

    // The key of a child: its position's hash code XOR the code of the depth that remains below
    // it. The low half of the 64-bit key is the item's key code, the high half its key check.
    const TPerftDepthCode& depthCode = FDepthCodes[static_cast<std::size_t>(ARemain - 1)];
    const std::size_t      base = FChildKeyTop;
    if (base + moveCount > FChildKeys.size())
        return CountWithoutPrefetch(list, index, depthCode, ARemain);
    FChildKeyTop = base + moveCount;
    TChildKey* keys = FChildKeys.data() + base;

    // First pass: every child's key, and a prefetch of its item. The table is far larger than
    // the caches, so the probes would otherwise wait for memory one after another; this way
    // they overlap, and a child found in the table is never made at all.
    std::uint32_t i = index;
    for (std::uint32_t visited = 0; visited < moveCount; ++visited) {
        const TMove& move = *list.Get(i);
        position.MakeRevertableMove(move);
        CheckPosition(position);
        const THash& hash = position.Hash();
        TChildKey&   key = keys[visited];
        key.Key = hash.Code ^ depthCode.Code;
        key.Home = FHashTable->HomeIndex(PerftSlotOf(key.Key));
        position.RevertMove(move);
        CheckPosition(position);
        if (++i == moveCount)
            i = 0;
    }
    // In a row: the address translations of the probes then proceed side by side.
    for (std::uint32_t visited = 0; visited < moveCount; ++visited)
        FHashTable->PrefetchHome(keys[visited].Home);

    // Second pass: the stored counts, and the subtrees of the children not found.
    for (std::uint32_t visited = 0; visited < moveCount; ++visited) {
        const TChildKey& key = keys[visited];
        std::uint64_t    count;
        if (!Lookup(key.Key, key.Home, count)) {
            const TMove& move = *list.Get(index);
            position.MakeRevertableMove(move);
            CheckPosition(position);
            count = Count(ARemain - 1);
            position.RevertMove(move);
            CheckPosition(position);
            if (Stopped())
                break;
            Store(key.Key, key.Home, count);
        }
        if (!AddCount(sum, count))
            break;
        if (++index == moveCount)
            index = 0;
    }
    FChildKeyTop = base;
    return sum;
}

std::uint64_t TPerftCalculator::CountWithoutPrefetch(TMoveList& AList, std::uint32_t AIndex,
                                                     const TPerftDepthCode& ADepthCode,
                                                     int                    ARemain) {
    TPosition&          position = *FPosition;
    const std::uint32_t moveCount = AList.Count;
    std::uint64_t       sum = 0;
    for (std::uint32_t visited = 0; visited < moveCount; ++visited) {
        const TMove& move = *AList.Get(AIndex);
        if (++AIndex == moveCount)
            AIndex = 0;
        position.MakeRevertableMove(move);
        CheckPosition(position);
        const THash&        hash = position.Hash();
        const std::uint64_t key = hash.Code ^ ADepthCode.Code;
        const std::uint64_t home = FHashTable->HomeIndex(PerftSlotOf(key));
        std::uint64_t       count;
        if (!Lookup(key, home, count)) {
            count = Count(ARemain - 1);
            if (Stopped()) {
                position.RevertMove(move);
                CheckPosition(position);
                return sum;
            }
            Store(key, home, count);
        }
        position.RevertMove(move);
        CheckPosition(position);
        if (!AddCount(sum, count))
            return sum;
    }
    return sum;
}
