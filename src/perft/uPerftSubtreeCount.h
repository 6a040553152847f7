#pragma once

#include <cstdint>

class TGameVariant;
class THashTable;
class TPerftWorkerPool;
class TPosition;

// The leaves ADepth plies below APosition, counted by the pool's workers as the perft command
// counts one root move's subtree: every worker over the same tree, all sharing the pool's
// table. Writes nothing. Raises a worker's failure, and "Different Thread Results" when the
// workers disagree. The table must not be resized meanwhile.
std::uint64_t CountPerftSubtree(TPerftWorkerPool& APool, const TPosition& APosition,
                                std::int32_t ADepth);
// The same with a pool of AThreadCount workers built for this one count; ATable null or
// unallocated: none.
std::uint64_t CountPerftSubtree(TGameVariant& AVariant, const TPosition& APosition,
                                std::int32_t ADepth, std::int32_t AThreadCount, THashTable* ATable);
