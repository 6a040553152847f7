#include "perft/uPerftCalculatorThreads.h"

#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftReport.h"
#include "perft/uPerftWorkerPool.h"
#include "support/uExceptions.h"
#include "support/uMainTimer.h"

#include <exception>
#include <string>

namespace {

// A fresh table places its entries in this many first items (80 MiB) until they fill up.
constexpr std::uint64_t InitialActiveItems = std::uint64_t{1} << 22;

std::uint64_t StoredItems(const THashTable& ATable) {
    return ATable.Statistics().New.load(std::memory_order_relaxed);
}

} // namespace

TPerftCalculatorThreads::TPerftCalculatorThreads() : TKvThread("PerftCalculator") {}

TPerftCalculatorThreads::~TPerftCalculatorThreads() {
    TerminateAndWait();
    SetPool(nullptr);
}

void TPerftCalculatorThreads::SetPosition(std::unique_ptr<TPosition> AValue) {
    FPosition = std::move(AValue);
}

void TPerftCalculatorThreads::Terminate() {
    // The flag first: a pool published after this lock sees it and is terminated at once.
    TKvThread::Terminate();
    std::scoped_lock lock(FPoolLock);
    if (FPool)
        FPool->Terminate();
}

void TPerftCalculatorThreads::SetPool(std::unique_ptr<TPerftWorkerPool> APool) {
    std::unique_ptr<TPerftWorkerPool> previous;
    std::scoped_lock                  lock(FPoolLock);
    previous = std::move(FPool);
    FPool = std::move(APool);
    if (FPool && Terminated())
        FPool->Terminate();
}

void TPerftCalculatorThreads::FitTable(std::uint32_t ADone, std::uint32_t ARootMoves) {
    if (FHashTable == nullptr)
        return;
    // Grown fourfold when three quarters of the items in use hold entries, or when entries had to
    // replace others since the last growth; the entries then move to their new places. The
    // first root move also foretells the whole count: growing then moves few entries.
    const std::uint64_t stored = StoredItems(*FHashTable);
    const std::uint64_t replaced =
        FHashTable->Statistics().Replaced.load(std::memory_order_relaxed);
    const std::uint64_t foretold =
        ADone > 1 ? stored : FStoredAtStart + (stored - FStoredAtStart) * ARootMoves;
    const std::uint64_t allocated = FHashTable->AllocatedItems();
    const std::uint64_t active = FHashTable->ActiveItems();
    if (active >= allocated ||
        (foretold <= active / 4 * 3 && replaced - FReplacedAtGrowth <= stored / 16))
        return;
    // Nearly the whole table is the whole table: it spares one more move later.
    const std::uint64_t grown = active * 4 >= allocated / 2 ? allocated : active * 4;
    FHashTable->SetActiveItems(grown, PerftSlotOfItem, [this] { return Terminated(); });
    FReplacedAtGrowth = replaced;
}

void TPerftCalculatorThreads::Execute() {
    TStopwatch stopwatch;
    stopwatch.Start();
    TPerftEnd   end;
    std::string failure;
    try {
        if (FMaximalDepth <= 0) {
            end.Total = 1;
        } else {
            std::unique_ptr<TMoveGenerator> generator = FGameVariant->CreateMoveGenerator();
            generator->SetPerftMode(true);
            generator->SetPosition(FPosition.get());
            TMoveListGuard guard(*generator);
            TMoveList&     list = guard.List();
            if (FHashTable != nullptr) {
                FStoredAtStart = StoredItems(*FHashTable);
                if (FStoredAtStart == 0)
                    FHashTable->SetActiveItems(InitialActiveItems);
                FReplacedAtGrowth =
                    FHashTable->Statistics().Replaced.load(std::memory_order_relaxed);
            }
            if (list.Count != 0 && !Terminated()) {
                SetPool(
                    std::make_unique<TPerftWorkerPool>(*FGameVariant, FThreadCount, FHashTable));
                FPool->SetRoot(*FPosition);
            }
            for (std::uint32_t i = 0; i < list.Count && !Terminated(); ++i) {
                const TMove& move = *list.Get(i);
                FPool->Count(&move, FMaximalDepth - 1);
                if (Terminated())
                    break;
                if (!FPool->Failure().empty()) {
                    failure = FPool->Failure();
                    break;
                }
                const std::string text = FPosition->MoveToString(move);
                TPerftRootMove    root;
                root.Move = text;
                root.Count = FPool->Counts().front();
                root.WorkerCounts = FPool->Counts();
                root.Statistics = &FPool->Statistics();
                if (FReport != nullptr)
                    FReport->RootMoveCounted(root);
                if (__builtin_add_overflow(end.Total, root.Count, &end.Total))
                    throw Exception(PerftOverflowMessage);
                FitTable(i + 1, list.Count);
            }
        }
    } catch (const std::exception& e) {
        failure = e.what();
    }
    SetPool(nullptr);
    stopwatch.Stop();
    end.Elapsed = stopwatch.Elapsed();
    end.Cause = Terminated() ? pcAborted : !failure.empty() ? pcFailed : pcCompleted;
    end.Failure = failure;
    try {
        if (FReport != nullptr)
            FReport->PerftEnded(end);
    } catch (...) {
        // Nothing is left to tell; the thread must end normally.
    }
}
