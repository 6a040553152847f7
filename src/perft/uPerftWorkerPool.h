#pragma once

#include "support/uKvThread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

class TContinuousStatistics;
class TGameVariant;
class THashTable;
class TPerftCalculator;
class TPerftWorkerPool;
class TPosition;
struct TMove;

// A perft worker's thread: counts with its worker's calculator, job after job, until its pool
// ends.
class TPerftCalculatorThread final : public TKvThread {
public:
    TPerftCalculatorThread(int AIndex, TPerftWorkerPool& APool);
    ~TPerftCalculatorThread() override;

protected:
    void Execute() override;

private:
    int               FIndex;
    TPerftWorkerPool& FPool;
};

// The workers of one perft, built once and fed one subtree after another: each worker owns a
// calculator with one move generator and one copy of the root position, all share the table of
// subtree counts, and all count the same subtree at the same time, each from its own random
// first move when there are several, so that they fill the table for each other. One worker
// counts on the calling thread; several run on threads of their own while the caller waits.
//
// One thread (the perft's) sets the root and counts; Terminate may come from any thread and
// ends the current count and every later one promptly. The table must not be resized during a
// count.
class TPerftWorkerPool final {
public:
    // ATable null or unallocated: counts without one.
    TPerftWorkerPool(TGameVariant& AVariant, std::int32_t AWorkerCount, THashTable* ATable);
    ~TPerftWorkerPool();
    TPerftWorkerPool(const TPerftWorkerPool&) = delete;
    TPerftWorkerPool& operator=(const TPerftWorkerPool&) = delete;

    int WorkerCount() const { return static_cast<int>(FWorkers.size()); }
    // The position the counts start from; every worker takes a copy. A worker whose count
    // failed counts again only from a new root.
    void SetRoot(const TPosition& APosition);
    // Every worker counts the leaves ADepth plies below the root, or below the root after AMove
    // (a move of the root's list) when it is given; the root is as before afterwards. The
    // results below stay until the next count.
    void Count(const TMove* AMove, std::int32_t ADepth);
    // Each worker's count, in worker order.
    std::span<const std::uint64_t> Counts() const { return FCounts; }
    // The message of the first worker whose count failed; empty when none did.
    const std::string& Failure() const { return FFailure; }
    // The first worker's generator runs during the last count.
    const TContinuousStatistics& Statistics() const;

    void Terminate();
    bool Terminated() const;

private:
    friend class TPerftCalculatorThread;
    struct TWorker {
        std::unique_ptr<TPerftCalculator> Calculator;
        bool                              Failed = false;
        std::string                       FailureMessage;
    };

    // The body of worker AIndex's thread.
    void Serve(int AIndex);
    void Run(int AIndex);
    void Shutdown();

    std::vector<TWorker>                                 FWorkers;
    std::vector<std::uint64_t>                           FCounts;
    std::string                                          FFailure;
    std::vector<std::unique_ptr<TPerftCalculatorThread>> FThreads;
    // The job: written by the counting thread under the lock before the workers are woken.
    const TMove*            FMove = nullptr;
    std::int32_t            FDepth = 0;
    std::mutex              FLock;
    std::condition_variable FJobPosted;
    std::condition_variable FJobDone;
    std::uint64_t           FJobNumber = 0;
    int                     FPending = 0;
    bool                    FShuttingDown = false;
    std::atomic<bool>       FTerminated{false};
};
