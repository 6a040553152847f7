#include "perft/uPerftSubtreeCount.h"

#include "perft/uPerftWorkerPool.h"
#include "support/uExceptions.h"

#include <algorithm>

std::uint64_t CountPerftSubtree(TPerftWorkerPool& APool, const TPosition& APosition,
                                std::int32_t ADepth) {
    APool.SetRoot(APosition);
    APool.Count(nullptr, ADepth);
    if (!APool.Failure().empty())
        throw Exception(APool.Failure());
    const auto counts = APool.Counts();
    if (std::any_of(counts.begin(), counts.end(),
                    [&](std::uint64_t ACount) { return ACount != counts.front(); }))
        throw Exception("Different Thread Results");
    return counts.front();
}

std::uint64_t CountPerftSubtree(TGameVariant& AVariant, const TPosition& APosition,
                                std::int32_t ADepth, std::int32_t AThreadCount,
                                THashTable* ATable) {
    TPerftWorkerPool pool(AVariant, AThreadCount, ATable);
    return CountPerftSubtree(pool, APosition, ADepth);
}
