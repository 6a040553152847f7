// What logging costs where it is switched off: the level test that guards every debug message,
// against the time of one perft node. The main log stays at its normal level (information).
#include "support/uFileLogger.h"
#include "support/uLogger.h"

#include <benchmark/benchmark.h>

namespace {

// A file log at its normal level: debug messages are refused before anything is formatted.
struct TNormalLog {
    TFileLogger Log{"/tmp/kvvexdra-logger-bench.log"};
    TNormalLog() { SetMainLog(&Log); }
    ~TNormalLog() { SetMainLog(nullptr); }
};

void BM_DisabledDebugCheck(benchmark::State& AState) {
    TNormalLog   log;
    std::int64_t accepted = 0;
    for (auto _ : AState) {
        if (IsLoggerFor(mlDebug))
            ++accepted;
        benchmark::DoNotOptimize(accepted);
    }
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK(BM_DisabledDebugCheck);

void BM_DisabledDebugMessage(benchmark::State& AState) {
    TNormalLog log;
    for (auto _ : AState)
        log.Log.Log(mlDebug, "<\u2013: go wtime 60000 btime 60000");
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK(BM_DisabledDebugMessage);

} // namespace
