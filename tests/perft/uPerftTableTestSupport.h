#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct TTestGame;

// One row of a perft table: the leaves ADepth plies below a position of a variant. An empty
// position stands for the variant's start position.
struct TPerftRow {
    std::string   Variant;
    std::string   Position;
    int           Depth = 0;
    std::uint64_t Nodes = 0;
};

// The rows of a tab-separated perft table (header first; columns: variant, oracle variant,
// position format, position, depth, nodes, ...) whose position format is AFormat ("fen",
// "sfen") and whose variant is in AVariants (any when empty). "startpos" reads as the start
// position. No rows when the file is missing.
std::vector<TPerftRow> ReadPerftTable(const std::string& AFileName, std::string_view AFormat,
                                      const std::set<std::string>& AVariants = {});

// "variant [position] depth N", for traces.
std::string Describe(const TPerftRow& ARow);

// The leaves ADepth plies below the game's position, counted by the perft calculator (no table)
// on a clone of the position with a new generator, in perft mode or in the evaluating mode.
std::uint64_t CalculatorPerft(TTestGame& AGame, int ADepth, bool APerftMode = true);

// The leaves ADepth plies below the game's position, counted by playing every move with the
// game's own generator; fails the test at the first make or revert after which the position's
// self-check finds a fault, or after which the revert did not restore the position string.
std::uint64_t CheckedPerft(TTestGame& AGame, int ADepth);
