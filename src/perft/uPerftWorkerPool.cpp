#include "perft/uPerftWorkerPool.h"

#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"

#include <cassert>
#include <exception>

// ---- TPerftCalculatorThread ----

TPerftCalculatorThread::TPerftCalculatorThread(int AIndex, TPerftWorkerPool& APool)
    : TKvThread("Search " + std::to_string(AIndex)), FIndex(AIndex), FPool(APool) {}

TPerftCalculatorThread::~TPerftCalculatorThread() {
    WaitFor();
}

void TPerftCalculatorThread::Execute() {
    FPool.Serve(FIndex);
}

// ---- TPerftWorkerPool ----

TPerftWorkerPool::TPerftWorkerPool(TGameVariant& AVariant, std::int32_t AWorkerCount,
                                   THashTable* ATable) {
    // A count of no workers would have no result to report.
    assert(AWorkerCount >= 1);
    const int count = AWorkerCount < 1 ? 1 : AWorkerCount;
    FWorkers.resize(static_cast<std::size_t>(count));
    FCounts.assign(FWorkers.size(), 0);
    for (TWorker& worker : FWorkers) {
        worker.Calculator = std::make_unique<TPerftCalculator>();
        worker.Calculator->SetMoveGenerator(AVariant.CreateMoveGenerator(), nullptr);
        worker.Calculator->SetHashTable(ATable);
        worker.Calculator->SetRandomStartMove(count > 1);
    }
    if (count == 1)
        return;
    try {
        for (int i = 0; i < count; ++i) {
            FThreads.push_back(std::make_unique<TPerftCalculatorThread>(i, *this));
            FThreads.back()->Start();
        }
    } catch (...) {
        Shutdown();
        throw;
    }
}

TPerftWorkerPool::~TPerftWorkerPool() {
    Shutdown();
}

void TPerftWorkerPool::Shutdown() {
    {
        std::scoped_lock lock(FLock);
        FShuttingDown = true;
    }
    FJobPosted.notify_all();
    FThreads.clear();
}

void TPerftWorkerPool::SetRoot(const TPosition& APosition) {
    for (TWorker& worker : FWorkers) {
        worker.Failed = false;
        worker.FailureMessage.clear();
        std::unique_ptr<TPosition> position = APosition.Clone();
        position->InitializeHash();
        worker.Calculator->SetPosition(std::move(position));
    }
}

const TContinuousStatistics& TPerftWorkerPool::Statistics() const {
    return FWorkers.front().Calculator->MoveCountStatistics();
}

void TPerftWorkerPool::Terminate() {
    // The flag first: a count that starts after it sees it.
    FTerminated.store(true, std::memory_order_release);
    for (TWorker& worker : FWorkers)
        worker.Calculator->Terminate();
}

bool TPerftWorkerPool::Terminated() const {
    return FTerminated.load(std::memory_order_acquire);
}

void TPerftWorkerPool::Count(const TMove* AMove, std::int32_t ADepth) {
    FMove = AMove;
    FDepth = ADepth;
    if (FThreads.empty()) {
        Run(0);
    } else {
        std::unique_lock lock(FLock);
        ++FJobNumber;
        FPending = static_cast<int>(FThreads.size());
        FJobPosted.notify_all();
        FJobDone.wait(lock, [this] { return FPending == 0; });
    }
    FFailure.clear();
    for (const TWorker& worker : FWorkers)
        if (worker.Failed) {
            FFailure = worker.FailureMessage;
            break;
        }
}

void TPerftWorkerPool::Serve(int AIndex) {
    std::uint64_t done = 0;
    for (;;) {
        {
            std::unique_lock lock(FLock);
            FJobPosted.wait(lock, [&] { return FShuttingDown || FJobNumber != done; });
            if (FShuttingDown)
                return;
            done = FJobNumber;
        }
        Run(AIndex);
        {
            std::scoped_lock lock(FLock);
            --FPending;
        }
        FJobDone.notify_one();
    }
}

void TPerftWorkerPool::Run(int AIndex) {
    TWorker&          worker = FWorkers[static_cast<std::size_t>(AIndex)];
    TPerftCalculator& calculator = *worker.Calculator;
    std::uint64_t&    count = FCounts[static_cast<std::size_t>(AIndex)];
    count = 0;
    calculator.ResetStatistics();
    // A count that failed left its position somewhere in the tree: the worker counts no more.
    if (worker.Failed)
        return;
    try {
        TPosition& position = calculator.Position();
        if (FMove != nullptr)
            position.MakeRevertableMove(*FMove);
        count = calculator.CalculateTotal(FDepth);
        if (FMove != nullptr)
            position.RevertMove(*FMove);
    } catch (const std::exception& e) {
        worker.Failed = true;
        worker.FailureMessage = e.what();
    } catch (...) {
        worker.Failed = true;
        worker.FailureMessage = "Unknown failure";
    }
}
