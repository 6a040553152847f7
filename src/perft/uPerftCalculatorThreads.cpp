#include "perft/uPerftCalculatorThreads.h"

#include "engine/uEngineOutput.h"
#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculator.h"
#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uMainTimer.h"

#include <cassert>
#include <cmath>
#include <exception>
#include <optional>

namespace {

// A fresh table places its entries in this many first items (80 MiB) until they fill up.
constexpr std::uint64_t InitialActiveItems = std::uint64_t{1} << 22;

std::uint64_t StoredItems(const THashTable& ATable) {
    return ATable.Statistics().New.load(std::memory_order_relaxed);
}

} // namespace

// ---- TPerftCalculatorThread ----

TPerftCalculatorThread::TPerftCalculatorThread(int AIndex)
    : TKvThread("Search " + std::to_string(AIndex)) {}

TPerftCalculatorThread::~TPerftCalculatorThread() {
    TerminateAndWait();
}

void TPerftCalculatorThread::SetPerftCalculator(std::unique_ptr<TPerftCalculator> AValue) {
    FPerftCalculator = std::move(AValue);
}

void TPerftCalculatorThread::Terminate() {
    TKvThread::Terminate();
    if (FPerftCalculator)
        FPerftCalculator->Terminate();
}

void TPerftCalculatorThread::Execute() {
    try {
        FCount = FPerftCalculator->CalculateTotal(FMaximalDepth);
    } catch (const std::exception& e) {
        FFailed = true;
        FFailureMessage = e.what();
    } catch (...) {
        FFailed = true;
        FFailureMessage = "Unknown failure";
    }
}

// ---- TPerftCalculatorThreads ----

TPerftCalculatorThreads::TPerftCalculatorThreads() : TKvThread("PerftCalculator") {}

TPerftCalculatorThreads::~TPerftCalculatorThreads() {
    TerminateAndWait();
    FPerftCalculatorThreads.clear();
}

void TPerftCalculatorThreads::SetPosition(std::unique_ptr<TPosition> AValue) {
    FPosition = std::move(AValue);
}

void TPerftCalculatorThreads::Terminate() {
    // The flag first: workers published after this lock see it and are not started.
    TKvThread::Terminate();
    std::scoped_lock lock(FWorkersLock);
    for (const auto& worker : FPerftCalculatorThreads)
        worker->Terminate();
}

bool TPerftCalculatorThreads::CountRootMove(const TMove& AMove, std::uint64_t& ACount) {
    // A count of no workers would have no result to report.
    assert(FThreadCount >= 1);
    const int threadCount = FThreadCount < 1 ? 1 : FThreadCount;
    std::vector<std::unique_ptr<TPerftCalculatorThread>> workers;
    FPosition->MakeRevertableMove(AMove);
    try {
        for (int i = 0; i < threadCount; ++i) {
            std::unique_ptr<TPosition> position = FPosition->Clone();
            position->InitializeHash();
            auto calculator = std::make_unique<TPerftCalculator>();
            calculator->SetMoveGenerator(FGameVariant->CreateMoveGenerator(), std::move(position));
            calculator->SetHashTable(FHashTable);
            calculator->SetRandomStartMove(threadCount > 1);
            auto worker = std::make_unique<TPerftCalculatorThread>(i);
            worker->SetMaximalDepth(FMaximalDepth - 1);
            worker->SetPerftCalculator(std::move(calculator));
            workers.push_back(std::move(worker));
        }
    } catch (...) {
        FPosition->RevertMove(AMove);
        throw;
    }
    FPosition->RevertMove(AMove);

    {
        std::scoped_lock lock(FWorkersLock);
        FPerftCalculatorThreads = std::move(workers);
        if (Terminated())
            FPerftCalculatorThreads.clear();
        for (const auto& worker : FPerftCalculatorThreads)
            worker->Start();
    }
    for (const auto& worker : FPerftCalculatorThreads)
        worker->WaitFor();

    bool counted = false;
    if (!Terminated()) {
        const TPerftCalculatorThread* failed = nullptr;
        bool                          different = false;
        for (const auto& worker : FPerftCalculatorThreads) {
            if (worker->Failed() && failed == nullptr)
                failed = worker.get();
            different = different || worker->Count() != FPerftCalculatorThreads[0]->Count();
        }
        if (failed != nullptr) {
            FFailed = true;
            if (FOutput != nullptr)
                FOutput->TellGUIError(failed->FailureMessage());
        } else {
            if (different && FOutput != nullptr) {
                FOutput->TellGUIError("Different Thread Results");
                for (std::size_t i = 0; i < FPerftCalculatorThreads.size(); ++i)
                    FOutput->TellGUIDebug("Thread" + std::to_string(i) + ": " +
                                          std::to_string(FPerftCalculatorThreads[i]->Count()));
            }
            ACount = FPerftCalculatorThreads[0]->Count();
            counted = true;
        }
        if (FOutput != nullptr && FOutput->DebugMode()) {
            const TContinuousStatistics& statistics =
                FPerftCalculatorThreads[0]->PerftCalculator().MoveCountStatistics();
            FOutput->TellGUIDebug(
                std::to_string(statistics.Count()) + " generator runs, " + "average moves: " +
                TCommonOutputFormat::FloatToDecimalString(statistics.GetAverage(), 2, 0, ffNormal) +
                " (" + std::to_string(std::llround(statistics.Minimum())) + ".." +
                std::to_string(std::llround(statistics.Maximum())) + ")");
        }
    }

    std::scoped_lock lock(FWorkersLock);
    FPerftCalculatorThreads.clear();
    return counted;
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
    std::uint64_t total = 0;
    try {
        if (FMaximalDepth <= 0) {
            total = 1;
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
            for (std::uint32_t i = 0; i < list.Count && !Terminated(); ++i) {
                const TMove&      move = *list.Get(i);
                const std::string text = FPosition->MoveToString(move);
                std::uint64_t     count = 0;
                if (!CountRootMove(move, count))
                    break;
                if (FOutput != nullptr)
                    FOutput->TellGUIInfo(text + ": " + std::to_string(count));
                if (__builtin_add_overflow(total, count, &total))
                    throw Exception(PerftOverflowMessage);
                FitTable(i + 1, list.Count);
            }
        }
        if (FOutput != nullptr && FOutput->DebugMode() && FHashTable != nullptr)
            FOutput->TellGUIDebug(FHashTable->StateToString());
    } catch (const std::exception& e) {
        FFailed = true;
        try {
            if (FOutput != nullptr)
                FOutput->TellGUIError(e.what());
        } catch (...) {
            // The output itself fails; the end of the perft is still reported to the engine.
        }
    }
    stopwatch.Stop();
    FNodeCount = total;
    // The report and the engine's notice of the end form one block on the output, so that a
    // client that has read the report's last line finds the perft ended when it sends the next.
    std::optional<TWriteBlock> block;
    try {
        if (FOutput != nullptr)
            block.emplace(*FOutput);
    } catch (...) {
        // Reported without the block: only the order guarantee is lost.
    }
    try {
        if (FOutput != nullptr) {
            const TTimeSpan elapsed = stopwatch.Elapsed();
            if (Terminated()) {
                FOutput->TellGUIInfo("Aborted");
            } else if (!FFailed) {
                FOutput->TellGUIInfo("Nodes Searched: " + std::to_string(total));
                if (!elapsed.IsZero())
                    FOutput->TellGUIInfo(
                        "Nodes/second: " +
                        TCommonOutputFormat::NToS(
                            std::llround(static_cast<double>(total) / elapsed.ToSeconds()), 0));
            }
            FOutput->TellGUIInfo("Elapsed Time: " + elapsed.ToStringInSeconds());
        }
    } catch (...) {
        // As above: OnStop must run.
    }
    try {
        if (FOnStop)
            FOnStop(*this);
    } catch (...) {
        // Nothing is left to tell; the thread must end normally.
    }
    try {
        block.reset();
    } catch (...) {
        // As above.
    }
}
