#pragma once

#include "perft/uHashTable.h"
#include "perft/uPerftWorkerPool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TGameVariant;

// Counts work items of one process: every item with the threaded, hashed perft of one pool of
// workers built for the whole run, all items sharing the process's subtree table, so that
// transpositions between the items of one process are counted once. One thread uses it.
class TPerftItemCounter final {
public:
    // A table that cannot be had is reported through AWarning and the items are counted
    // without one: slower, but exact.
    TPerftItemCounter(TGameVariant& AVariant, std::int32_t AThreads, std::int64_t AHashMiB,
                      std::string& AWarning);
    std::uint64_t Count(std::string_view APosition, std::int32_t ARemainingDepth);

private:
    TGameVariant&                     FVariant;
    std::unique_ptr<THashTable>       FTable;
    std::unique_ptr<TPerftWorkerPool> FPool;
};

// The life of a process other than rank 0: receives the set-up, then counts the items it is
// sent until told to stop. The exit code of the process.
int RunPerftWorker(int ARank);
