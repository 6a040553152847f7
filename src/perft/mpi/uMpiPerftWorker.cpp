#include "perft/mpi/uMpiPerftWorker.h"

#include "games/uGameVariants.h"
#include "games/uPosition.h"
#include "perft/mpi/uMpiPerftTransport.h"
#include "perft/uPerftSubtreeCount.h"
#include "perft/uPerftWorkPlan.h"
#include "platform/uPlatformConsole.h"
#include "support/uExceptions.h"

#include <deque>
#include <exception>

namespace {

// The item size of the perft table: key code, key check, count (two words), checksum.
constexpr std::uint32_t PerftItemSize = 20;

} // namespace

TPerftItemCounter::TPerftItemCounter(TGameVariant& AVariant, std::int32_t AThreads,
                                     std::int64_t AHashMiB, std::string& AWarning)
    : FVariant(AVariant) {
    if (AHashMiB > 0) {
        FTable = std::make_unique<THashTable>();
        FTable->SetItemSize(PerftItemSize);
        FTable->SetSizeInMB(static_cast<std::uint64_t>(AHashMiB));
        try {
            FTable->ReallocateMemory();
        } catch (const std::exception& e) {
            AWarning = e.what();
            FTable.reset();
        }
    }
    FPool = std::make_unique<TPerftWorkerPool>(FVariant, AThreads, FTable.get());
}

std::uint64_t TPerftItemCounter::Count(std::string_view APosition, std::int32_t ARemainingDepth) {
    const std::unique_ptr<TPosition> position = ReadPerftPosition(FVariant, APosition);
    return CountPerftSubtree(*FPool, *position, ARemainingDepth);
}

namespace {

struct TQueuedItem {
    std::uint32_t Index = 0;
    std::int32_t  RemainingDepth = 0;
    std::string   Position;
};

} // namespace

int RunPerftWorker(int ARank) {
    TMpiPerftConfig config;
    BroadcastConfig(config, ARank);
    if (config.Start != psRun)
        return config.Start == psHelp ? 0 : 1;
    try {
        TGameVariant* variant = GameVariants().FindByName(config.Variant);
        if (variant == nullptr)
            throw Exception("Unknown variant " + config.Variant);
        std::string       warning;
        TPerftItemCounter counter(*variant, config.Threads, config.HashMiB, warning);
        if (!warning.empty())
            StreamWrite(ssError, "kvvexdra-perft: process " + std::to_string(ARank) + ": " +
                                     warning + " Counting without a table.\n");
        // Rank 0 sends the next items ahead, so that the next count starts at once; the queue
        // takes what has arrived before each count.
        std::deque<TQueuedItem> queue;
        bool                    stopped = false;
        for (;;) {
            TMpiMessage message;
            if (queue.empty() && !stopped)
                message = Receive(0);
            else if (!TryReceive(0, message))
                message.Tag = 0;
            if (message.Tag == ptItem) {
                TQueuedItem item;
                ReadItemMessage(message.Data, item.Index, item.RemainingDepth, item.Position);
                queue.push_back(std::move(item));
                continue;
            }
            if (message.Tag == ptStop) {
                stopped = true;
                continue;
            }
            if (queue.empty())
                break;
            const TQueuedItem item = std::move(queue.front());
            queue.pop_front();
            Send(0, ptResult,
                 ResultMessage(item.Index, counter.Count(item.Position, item.RemainingDepth)));
        }
        return 0;
    } catch (const std::exception& e) {
        // Rank 0 reports it and ends the job.
        Send(0, ptFailure, e.what());
        return 1;
    }
}
