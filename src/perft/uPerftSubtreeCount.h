#pragma once

#include <cstdint>

class TGameVariant;
class THashTable;
class TPosition;

// The leaves ADepth plies below APosition, counted as the perft command counts one root move's
// subtree: AThreadCount calculators over the same tree, each from its own random first move when
// there are several, all sharing ATable (null or unallocated: none), so that they fill the table
// for each other. Writes nothing. One calculator runs on the calling thread; several run on
// threads of their own while the caller waits. Raises a calculator's failure, and "Different
// Thread Results" when the calculators disagree. The table must not be resized meanwhile.
std::uint64_t CountPerftSubtree(TGameVariant& AVariant, const TPosition& APosition,
                                std::int32_t ADepth, std::int32_t AThreadCount, THashTable* ATable);
