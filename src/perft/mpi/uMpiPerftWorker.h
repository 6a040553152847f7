#pragma once

#include "perft/uHashTable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TGameVariant;

// Counts work items of one process: every item with the threaded, hashed perft, all of them
// sharing the process's subtree table, so that transpositions between the items of one process
// are counted once. One thread uses it.
class TPerftItemCounter final {
public:
    // A table that cannot be had is reported through AWarning and the items are counted
    // without one: slower, but exact.
    TPerftItemCounter(TGameVariant& AVariant, std::int32_t AThreads, std::int64_t AHashMiB,
                      std::string& AWarning);
    std::uint64_t Count(std::string_view APosition, std::int32_t ARemainingDepth);

private:
    TGameVariant&               FVariant;
    std::int32_t                FThreads;
    std::unique_ptr<THashTable> FTable;
};

// The life of a process other than rank 0: receives the set-up, then counts the items it is
// sent until told to stop. The exit code of the process.
int RunPerftWorker(int ARank);
