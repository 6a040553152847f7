#pragma once

#include <cstdint>

class TPosition;
class TMoveGenerator;

// Leaf nodes ADepth plies below the position, counted through the game model: make, recurse,
// revert; the last ply is counted (CountMoves), not played. Single-threaded, no hash table,
// no allocation. The generator must have been given APosition; its mode (perft or evaluating)
// is left as the caller set it.
std::uint64_t Perft(TPosition& APosition, TMoveGenerator& AGenerator, int ADepth);
