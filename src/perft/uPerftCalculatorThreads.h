#pragma once

#include "support/uKvThread.h"

#include <cstdint>
#include <memory>
#include <mutex>

class IPerftReport;
class TGameVariant;
class THashTable;
class TPerftWorkerPool;
class TPosition;

// One perft: runs on its own thread, builds one pool of ThreadCount workers and feeds it the
// root moves one after another; the workers count each root move's subtree at the same time,
// sharing the hash table of subtree counts. Each root move's count and then the end (total,
// cause, time) go to the report, on this thread.
//
// It works on its own copy of the position and on the variant (which lives for the whole
// process); the table and the report belong to the caller, which keeps both alive and unchanged
// until this thread has been waited for. Terminate (any thread) ends the count promptly: the
// workers poll after every subtree, and the end reports pcAborted.
class TPerftCalculatorThreads final : public TKvThread {
public:
    TPerftCalculatorThreads();
    ~TPerftCalculatorThreads() override;

    void SetThreadCount(std::int32_t AValue) { FThreadCount = AValue; }
    void SetMaximalDepth(std::int32_t AValue) { FMaximalDepth = AValue; }
    void SetGameVariant(TGameVariant* AValue) { FGameVariant = AValue; }
    // The position to count from; owned.
    void SetPosition(std::unique_ptr<TPosition> AValue);
    void SetHashTable(THashTable* AValue) { FHashTable = AValue; }
    // Not owned; null reports nothing.
    void SetReport(IPerftReport* AValue) { FReport = AValue; }
    void Terminate() override;

protected:
    void Execute() override;

private:
    // Between root moves: lets the table place its entries in as many items as they need, so
    // that its memory grows with what is stored, not with the table's size.
    void FitTable(std::uint32_t ADone, std::uint32_t ARootMoves);
    // Publishes the pool (null to release it) against Terminate on another thread.
    void SetPool(std::unique_ptr<TPerftWorkerPool> APool);

    std::int32_t               FThreadCount = 1;
    std::int32_t               FMaximalDepth = 0;
    TGameVariant*              FGameVariant = nullptr;
    std::unique_ptr<TPosition> FPosition;
    THashTable*                FHashTable = nullptr;
    IPerftReport*              FReport = nullptr;
    std::uint64_t              FStoredAtStart = 0;
    std::uint64_t              FReplacedAtGrowth = 0;
    // The workers of this perft. The lock only orders their creation and release on this
    // thread against Terminate on another.
    std::mutex                        FPoolLock;
    std::unique_ptr<TPerftWorkerPool> FPool;
};
