#include "perft/mpi/uMpiPerftCoordinator.h"

#include "games/uGameVariants.h"
#include "games/uPosition.h"
#include "perft/mpi/uMpiPerftTransport.h"
#include "perft/mpi/uMpiPerftWorker.h"
#include "perft/uDistributedPerftOptions.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftJournal.h"
#include "perft/uPerftWorkPlan.h"
#include "platform/uPlatformConsole.h"
#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uMainTimer.h"
#include "support/uTextHelpers.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// Items a process holds at once: the one it counts and the next, so that it never waits for
// rank 0 between two items.
constexpr int ItemsAhead = 2;

void WriteError(std::string_view AText) {
    StreamWrite(ssError, "kvvexdra-perft: " + std::string(AText) + "\n");
}

std::string Clock(double ASeconds) {
    const auto        seconds = static_cast<std::int64_t>(std::llround(ASeconds));
    const std::string minutes = std::to_string(seconds / 60 % 60);
    const std::string rest = std::to_string(seconds % 60);
    return std::to_string(seconds / 3600) + ":" + (minutes.size() < 2 ? "0" : "") + minutes + ":" +
           (rest.size() < 2 ? "0" : "") + rest;
}

// Everything rank 0 knows about the run once the input has been read.
struct TRun {
    TDistributedPerftOptions       Options;
    TGameVariant*                  Variant = nullptr;
    std::optional<TPerftWorkPlan>  Plan;
    std::unique_ptr<TPerftJournal> Journal;
};

TRun PrepareRun(const std::vector<std::string>& AArguments) {
    TRun run;
    run.Options = ReadDistributedPerftOptions(AArguments);
    if (run.Options.Help)
        return run;
    run.Variant = GameVariants().FindByName(run.Options.Variant);
    if (run.Variant == nullptr)
        throw EArgumentException("Unknown variant '" + run.Options.Variant +
                                 "'; the variants are " +
                                 ReplaceAll(GameVariants().ToXBoardString(), ",", ", ") + ".");
    std::unique_ptr<TPosition> root;
    if (run.Options.Position.empty()) {
        root = run.Variant->CreateStartPosition();
        root->InitializeHash();
    } else {
        try {
            root = ReadPerftPosition(*run.Variant, run.Options.Position);
        } catch (const std::exception& e) {
            throw EArgumentException("Bad position \"" + run.Options.Position + "\" for " +
                                     run.Variant->Name() + ": " + e.what());
        }
    }
    const std::int32_t split =
        run.Options.Split > 0 ? run.Options.Split : DefaultPerftSplit(run.Options.Depth);
    run.Plan = TPerftWorkPlan::Build(*run.Variant, *root, run.Options.Depth, split);
    if (!run.Options.Journal.empty()) {
        run.Journal = std::make_unique<TPerftJournal>();
        run.Journal->Open(run.Options.Journal, *run.Plan);
    }
    return run;
}

// The counting thread of rank 0 and what the main thread hands it. The lock guards the
// hand-out position and the result list.
class TScheduler final {
public:
    TScheduler(const TPerftWorkPlan& APlan, const std::vector<bool>& ADone) : FPlan(APlan) {
        for (const std::uint32_t item : APlan.HandOutOrder())
            if (!ADone[item])
                FOrder.push_back(item);
    }

    std::size_t ToDo() const { return FOrder.size(); }
    // The next item to count, if any is left.
    std::optional<std::uint32_t> Next() {
        std::scoped_lock lock(FLock);
        if (FNext == FOrder.size())
            return std::nullopt;
        return FOrder[FNext++];
    }
    void PostResult(std::uint32_t AItem, std::uint64_t ACount) {
        {
            std::scoped_lock lock(FLock);
            FResults.emplace_back(AItem, ACount);
        }
        FSignal.notify_one();
    }
    void PostFailure(std::string AMessage) {
        {
            std::scoped_lock lock(FLock);
            FFailure = std::move(AMessage);
        }
        FSignal.notify_one();
    }
    // Waits up to ATimeout for a local result; takes the results and any failure.
    void Take(std::vector<std::pair<std::uint32_t, std::uint64_t>>& AResults,
              std::optional<std::string>& AFailure, std::chrono::microseconds ATimeout) {
        std::unique_lock lock(FLock);
        if (FResults.empty() && !FFailure)
            FSignal.wait_for(lock, ATimeout);
        AResults.swap(FResults);
        FResults.clear();
        AFailure = FFailure;
    }

    // The body of the counting thread.
    void CountLocally(TGameVariant& AVariant, std::int32_t AThreads, std::int64_t AHashMiB) {
        try {
            std::string       warning;
            TPerftItemCounter counter(AVariant, AThreads, AHashMiB, warning);
            if (!warning.empty())
                StreamWrite(ssError, "kvvexdra-perft: process 0: " + warning +
                                         " Counting without a table.\n");
            while (const std::optional<std::uint32_t> item = Next())
                PostResult(*item,
                           counter.Count(FPlan.Items()[*item].Position, FPlan.RemainingDepth()));
        } catch (const std::exception& e) {
            PostFailure(e.what());
        }
    }

private:
    const TPerftWorkPlan&                                FPlan;
    std::vector<std::uint32_t>                           FOrder;
    std::size_t                                          FNext = 0;
    std::mutex                                           FLock;
    std::condition_variable                              FSignal;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> FResults;
    std::optional<std::string>                           FFailure;
};

// Collects the counts, journals them and tells the progress.
class TTally final {
public:
    TTally(const TPerftWorkPlan& APlan, TPerftJournal* AJournal, double AProgressSeconds)
        : FPlan(APlan), FJournal(AJournal), FProgressSeconds(AProgressSeconds) {
        FCounts.assign(APlan.Items().size(), 0);
        FDone.assign(APlan.Items().size(), false);
        if (AJournal != nullptr) {
            FCounts = AJournal->Content().Counts;
            FDone = AJournal->Content().Done;
            FDoneCount = AJournal->Content().DoneCount;
        }
        for (std::size_t i = 0; i < FDone.size(); ++i) {
            const std::uint64_t weight = APlan.Items()[i].Weight;
            FWeightLeft += FDone[i] ? 0 : static_cast<double>(weight);
            if (FDone[i])
                FNodes = AddProduct(FNodes, APlan.Items()[i].Multiplicity, FCounts[i]);
        }
        FStopwatch.Start();
        FLastProgress = 0;
    }

    const std::vector<bool>&          Done() const { return FDone; }
    const std::vector<std::uint64_t>& Counts() const { return FCounts; }
    std::size_t                       DoneCount() const { return FDoneCount; }
    std::uint64_t                     NodesThisRun() const { return FNodesThisRun; }
    bool Finished() const { return FDoneCount == FPlan.Items().size(); }

    void Record(std::uint32_t AItem, std::uint64_t ACount) {
        if (AItem >= FDone.size() || FDone[AItem])
            throw Exception("A process reported an item that was not handed out.");
        const TPerftWorkItem& item = FPlan.Items()[AItem];
        if (FJournal != nullptr)
            FJournal->Append(item.Position, item.Multiplicity, FPlan.RemainingDepth(), ACount);
        FDone[AItem] = true;
        FCounts[AItem] = ACount;
        ++FDoneCount;
        FNodes = AddProduct(FNodes, item.Multiplicity, ACount);
        FNodesThisRun = AddProduct(FNodesThisRun, item.Multiplicity, ACount);
        FWeightLeft -= static_cast<double>(item.Weight);
        FWeightDone += static_cast<double>(item.Weight);
    }

    void Progress() {
        if (FProgressSeconds <= 0)
            return;
        const double seconds = FStopwatch.Elapsed().ToSeconds();
        if (seconds - FLastProgress < FProgressSeconds)
            return;
        FLastProgress = seconds;
        std::string line =
            "Progress: " + std::to_string(FDoneCount) + "/" + std::to_string(FPlan.Items().size()) +
            " items, " + std::to_string(FNodes) + " nodes, " +
            std::to_string(
                std::llround(static_cast<double>(FNodesThisRun) / std::max(seconds, 1e-9))) +
            " nodes/s, ";
        // The weights estimate each item's share of the work from the first plies below it.
        line += FWeightDone > 0 ? Clock(seconds * std::max(FWeightLeft, 0.0) / FWeightDone) +
                                      " left (estimated)"
                                : std::string("time left unknown yet");
        StreamWrite(ssError, line + "\n");
    }

    static std::uint64_t AddProduct(std::uint64_t ASum, std::uint64_t AFactor,
                                    std::uint64_t ACount) {
        std::uint64_t product = 0;
        if (__builtin_mul_overflow(AFactor, ACount, &product) ||
            __builtin_add_overflow(ASum, product, &ASum))
            throw Exception(PerftOverflowMessage);
        return ASum;
    }

private:
    const TPerftWorkPlan&      FPlan;
    TPerftJournal*             FJournal;
    double                     FProgressSeconds;
    std::vector<std::uint64_t> FCounts;
    std::vector<bool>          FDone;
    std::size_t                FDoneCount = 0;
    std::uint64_t              FNodes = 0;
    std::uint64_t              FNodesThisRun = 0;
    double                     FWeightLeft = 0;
    double                     FWeightDone = 0;
    TStopwatch                 FStopwatch;
    double                     FLastProgress = 0;
};

// Ends every process of the job after a failure in the middle of the count: the others may be
// deep in an item and would not hear a message before it ends.
[[noreturn]] void AbortJob(std::string_view AText, TPerftJournal* AJournal) {
    WriteError(AText);
    if (AJournal != nullptr)
        AJournal->Flush();
    MPI_Abort(MPI_COMM_WORLD, 1);
    std::exit(1);
}

void WriteResult(const TPerftWorkPlan& APlan, const TTally& ATally, bool ADivide,
                 TTimeSpan AElapsed) {
    std::string text;
    if (ADivide) {
        const std::vector<std::uint64_t> counts = APlan.RootMoveCounts(ATally.Counts());
        for (std::size_t i = 0; i < counts.size(); ++i)
            text += APlan.RootMoves()[i] + ": " + std::to_string(counts[i]) + "\n";
    }
    text += "Nodes Searched: " + std::to_string(APlan.Total(ATally.Counts())) + "\n";
    // The speed of this run: items a restart found in the journal took no time now.
    if (!AElapsed.IsZero())
        text += "Nodes/second: " +
                TCommonOutputFormat::NToS(
                    std::llround(static_cast<double>(ATally.NodesThisRun()) / AElapsed.ToSeconds()),
                    0) +
                "\n";
    text += "Elapsed Time: " + AElapsed.ToStringInSeconds() + "\n";
    StreamWrite(ssOutput, text);
    StreamFlush(ssOutput);
}

} // namespace

int RunPerftCoordinator(const std::vector<std::string>& AArguments, int AProcessCount) {
    TStopwatch stopwatch;
    stopwatch.Start();
    TMpiPerftConfig config;
    TRun            run;
    try {
        run = PrepareRun(AArguments);
        config.Start = run.Options.Help ? psHelp : psRun;
    } catch (const std::exception& e) {
        WriteError(e.what());
        config.Start = psFailed;
    }
    if (config.Start == psRun) {
        config.Variant = run.Variant->Name();
        config.Threads = run.Options.Threads;
        config.HashMiB = run.Options.HashMiB;
    }
    BroadcastConfig(config, 0);
    if (config.Start == psHelp)
        StreamWrite(ssOutput, DistributedPerftUsage());
    if (config.Start != psRun)
        return config.Start == psHelp ? 0 : 1;

    const TPerftWorkPlan& plan = *run.Plan;
    TPerftJournal*        journal = run.Journal.get();
    TScheduler            scheduler(plan, journal != nullptr ? journal->Content().Done
                                                             : std::vector<bool>(plan.Items().size()));
    StreamWrite(ssError, "kvvexdra-perft: split depth " + std::to_string(plan.Split()) + ": " +
                             std::to_string(plan.Items().size()) + " items from " +
                             std::to_string(plan.Sequences()) + " move sequences, " +
                             std::to_string(plan.Items().size() - scheduler.ToDo()) +
                             " found in the journal, " + std::to_string(AProcessCount) +
                             " processes\n");
    try {
        TTally tally(plan, journal, run.Options.ProgressSeconds);
        // Every other process gets its first items at once; then one item per result.
        std::vector<bool> stopSent(static_cast<std::size_t>(AProcessCount), false);
        const auto        feed = [&](int AWorker) {
            if (const std::optional<std::uint32_t> item = scheduler.Next()) {
                Send(AWorker, ptItem,
                            ItemMessage(*item, plan.RemainingDepth(), plan.Items()[*item].Position));
            } else if (!stopSent[static_cast<std::size_t>(AWorker)]) {
                Send(AWorker, ptStop, {});
                stopSent[static_cast<std::size_t>(AWorker)] = true;
            }
        };
        for (int worker = 1; worker < AProcessCount; ++worker)
            for (int i = 0; i < ItemsAhead; ++i)
                feed(worker);
        std::thread local([&] {
            scheduler.CountLocally(*run.Variant, run.Options.Threads, run.Options.HashMiB);
        });
        struct TJoin {
            std::thread& Thread;
            ~TJoin() {
                if (Thread.joinable())
                    Thread.join();
            }
        } join{local};

        std::vector<std::pair<std::uint32_t, std::uint64_t>> results;
        std::optional<std::string>                           failure;
        while (!tally.Finished()) {
            TMpiMessage message;
            bool        received = false;
            while (TryReceive(MPI_ANY_SOURCE, message)) {
                received = true;
                if (message.Tag == ptFailure)
                    AbortJob("process " + std::to_string(message.Source) + ": " + message.Data,
                             journal);
                if (message.Tag != ptResult)
                    continue;
                std::uint32_t item = 0;
                std::uint64_t count = 0;
                ReadResultMessage(message.Data, item, count);
                tally.Record(item, count);
                feed(message.Source);
            }
            scheduler.Take(results, failure,
                           received ? std::chrono::microseconds(0)
                                    : std::chrono::microseconds(500));
            if (failure)
                AbortJob("process 0: " + *failure, journal);
            for (const auto& [item, count] : results)
                tally.Record(item, count);
            tally.Progress();
        }
        local.join();
        // Processes that never asked again after their last item still wait for the word.
        for (int worker = 1; worker < AProcessCount; ++worker)
            feed(worker);
        if (journal != nullptr)
            journal->Flush();
        stopwatch.Stop();
        WriteResult(plan, tally, run.Options.Divide, stopwatch.Elapsed());
    } catch (const std::exception& e) {
        AbortJob(e.what(), journal);
    }
    return 0;
}
