#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TGameVariant;
class TPosition;

// One position at the split depth: its position string, the number of move sequences from the
// root that reach it, and how many of those start with each root move. Its subtree is counted
// once and multiplied.
struct TPerftWorkItem {
    std::string   Position;
    std::uint64_t Multiplicity = 0;
    // A size estimate for the hand-out order and the time left: the leaves of the first (up to)
    // two plies below the position.
    std::uint64_t Weight = 0;
    // (root move index, sequences through it), in root move order.
    std::vector<std::pair<std::uint32_t, std::uint64_t>> RootMoves;
};

// A deep perft cut into work items: the tree expanded to the split depth, transpositions merged
// by their full position string. The items' counts at the remaining depth, multiplied and
// summed, give the perft of the root and its divide lines. Built once on one thread, then read.
class TPerftWorkPlan final {
public:
    // Expands the tree below ARoot to ASplit plies (1 <= ASplit <= ADepth). Lines that end
    // before the split depth have no leaves at ADepth and give no item. Raises when a position
    // string does not read back into the position it was written from: counting its item would
    // count another tree.
    static TPerftWorkPlan Build(TGameVariant& AVariant, const TPosition& ARoot, std::int32_t ADepth,
                                std::int32_t ASplit);

    const std::string& VariantName() const { return FVariantName; }
    // The root's position string as the variant writes it.
    const std::string&                 RootPosition() const { return FRootPosition; }
    std::int32_t                       Depth() const { return FDepth; }
    std::int32_t                       Split() const { return FSplit; }
    std::int32_t                       RemainingDepth() const { return FDepth - FSplit; }
    const std::vector<std::string>&    RootMoves() const { return FRootMoves; }
    const std::vector<TPerftWorkItem>& Items() const { return FItems; }
    // Move sequences of ASplit plies: perft(ASplit) of the root.
    std::uint64_t Sequences() const { return FSequences; }
    // The item of a position string, or -1.
    std::int64_t Find(std::string_view APosition) const;
    // Item indexes in hand-out order: the biggest weight first, ties in the order reached.
    std::vector<std::uint32_t> HandOutOrder() const;

    // With every item's count (ACounts[i] for item i): the perft of the root, and the count of
    // each root move. Raise the overflow message beyond 64 bits.
    std::uint64_t              Total(const std::vector<std::uint64_t>& ACounts) const;
    std::vector<std::uint64_t> RootMoveCounts(const std::vector<std::uint64_t>& ACounts) const;

private:
    std::string                                  FVariantName;
    std::string                                  FRootPosition;
    std::int32_t                                 FDepth = 0;
    std::int32_t                                 FSplit = 0;
    std::uint64_t                                FSequences = 0;
    std::vector<std::string>                     FRootMoves;
    std::vector<TPerftWorkItem>                  FItems;
    std::unordered_map<std::string, std::size_t> FIndex;
};

// The split depth when none is asked for: from the depth alone, so that a restart with another
// number of processes finds the same items. Four plies or more stay below the split where the
// depth allows; three plies above it give thousands of items for most variants.
std::int32_t DefaultPerftSplit(std::int32_t ADepth);

// Reads a position string of the variant into a new position with its hash initialised. Raises
// the parser's error.
std::unique_ptr<TPosition> ReadPerftPosition(TGameVariant& AVariant, std::string_view AText);
// The variant's position string of APosition.
std::string WritePerftPosition(TGameVariant& AVariant, TPosition& APosition);
