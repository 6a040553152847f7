#pragma once

#include "support/uKvThread.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TEngineOutput;
class TGameVariant;
class THashTable;
class TPerftCalculator;
class TPosition;
struct TMove;

// A perft worker: counts one subtree with its own calculator. Started by the calculation thread
// for one root move; Terminate also stops the calculator.
class TPerftCalculatorThread final : public TKvThread {
public:
    explicit TPerftCalculatorThread(int AIndex);
    ~TPerftCalculatorThread() override;

    void SetMaximalDepth(std::int32_t AValue) { FMaximalDepth = AValue; }
    void SetPerftCalculator(std::unique_ptr<TPerftCalculator> AValue);
    void SetCount(std::uint64_t AValue) { FCount = AValue; }
    void Terminate() override;

    // Read after the thread has ended.
    std::uint64_t      Count() const { return FCount; }
    bool               Failed() const { return FFailed; }
    const std::string& FailureMessage() const { return FFailureMessage; }
    TPerftCalculator&  PerftCalculator() const { return *FPerftCalculator; }

protected:
    // A failure ends the worker with its count unchanged and the message kept for the report.
    void Execute() override;

private:
    std::unique_ptr<TPerftCalculator> FPerftCalculator;
    std::int32_t                      FMaximalDepth = 0;
    std::uint64_t                     FCount = 0;
    bool                              FFailed = false;
    std::string                       FFailureMessage;
};

// One perft: runs on its own thread, takes the root moves one after another and lets ThreadCount
// workers count each root move's subtree at the same time, every worker in its own random order,
// all sharing the hash table of subtree counts. Writes the root moves with their counts, the
// total, the speed and the time through the output, then calls OnStop (on this thread).
//
// It works on its own copy of the position and on the variant (which lives for the whole
// process); the table and the output belong to the engine, which keeps both alive and unchanged
// until this thread has been waited for. Terminate (any thread) ends the count promptly: the
// workers poll after every subtree; the report then says "Aborted".
class TPerftCalculatorThreads final : public TKvThread {
public:
    using TOnStop = std::function<void(TPerftCalculatorThreads&)>;

    TPerftCalculatorThreads();
    ~TPerftCalculatorThreads() override;

    void SetThreadCount(std::int32_t AValue) { FThreadCount = AValue; }
    void SetMaximalDepth(std::int32_t AValue) { FMaximalDepth = AValue; }
    void SetGameVariant(TGameVariant* AValue) { FGameVariant = AValue; }
    // The position to count from; owned.
    void SetPosition(std::unique_ptr<TPosition> AValue);
    void SetHashTable(THashTable* AValue) { FHashTable = AValue; }
    void SetOutput(TEngineOutput* AValue) { FOutput = AValue; }
    void SetOnStop(TOnStop AValue) { FOnStop = std::move(AValue); }
    void Terminate() override;

    // The total of the finished count (read after the thread has ended).
    std::uint64_t NodeCount() const { return FNodeCount; }

protected:
    void Execute() override;

private:
    // Counts one root move's subtree into ACount; false when the workers failed or were stopped.
    bool CountRootMove(const TMove& AMove, std::uint64_t& ACount);
    // Between root moves: lets the table place its entries in as many items as they need, so
    // that its memory grows with what is stored, not with the table's size.
    void FitTable(std::uint32_t ADone, std::uint32_t ARootMoves);

    std::int32_t               FThreadCount = 1;
    std::int32_t               FMaximalDepth = 0;
    TGameVariant*              FGameVariant = nullptr;
    std::unique_ptr<TPosition> FPosition;
    THashTable*                FHashTable = nullptr;
    TEngineOutput*             FOutput = nullptr;
    TOnStop                    FOnStop;
    std::uint64_t              FNodeCount = 0;
    std::uint64_t              FStoredAtStart = 0;
    std::uint64_t              FReplacedAtGrowth = 0;
    bool                       FFailed = false;
    // The workers of the current root move. The lock only orders their creation and release on
    // this thread against Terminate on another.
    std::mutex                                           FWorkersLock;
    std::vector<std::unique_ptr<TPerftCalculatorThread>> FPerftCalculatorThreads;
};
