// What a front end pays before its first move: a variant switch (UCI_Variant, or the switch to
// shogi that "usi" makes and a new session undoes), and the legal moves of a new position, each
// with a new generator as the game-end test makes one. Every item is one switch or one build.
#include "engine/uVexdraEngine.h"
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

TGameVariant& Variant(const char* AName) {
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    return *GameVariants().FindByName(AName);
}

// The engine's own switch: a new generator and start position, the old game dropped.
void BM_VariantSwitch(benchmark::State& AState, const char* AFrom, const char* ATo) {
    TVexdraEngine engine;
    TGameVariant& from = Variant(AFrom);
    TGameVariant& to = Variant(ATo);
    for (auto _ : AState) {
        engine.SetGameVariant(&to);
        engine.SetGameVariant(&from);
    }
    AState.SetItemsProcessed(AState.iterations() * 2);
}
BENCHMARK_CAPTURE(BM_VariantSwitch, ChessCrazyhouse, "chess", "crazyhouse")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_VariantSwitch, ChessShogi, "chess", "shogi")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_VariantSwitch, ChessMinishogi, "chess", "minishogi")
    ->Unit(benchmark::kMicrosecond);

// A generator made and given a position, as the game-end test does after every move.
void BM_GeneratorSetUp(benchmark::State& AState, const char* AName) {
    TGameVariant&              variant = Variant(AName);
    std::unique_ptr<TPosition> position = variant.CreateStartPosition();
    for (auto _ : AState) {
        std::unique_ptr<TMoveGenerator> generator = variant.CreateMoveGenerator();
        generator->SetPosition(position.get());
        benchmark::DoNotOptimize(generator.get());
    }
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK_CAPTURE(BM_GeneratorSetUp, Chess, "chess")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GeneratorSetUp, Atomic, "atomic")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GeneratorSetUp, Shogi, "shogi")->Unit(benchmark::kMicrosecond);

// The same generator given its position again, as every played move does.
void BM_GeneratorNewPosition(benchmark::State& AState, const char* AName) {
    TGameVariant&                   variant = Variant(AName);
    std::unique_ptr<TPosition>      position = variant.CreateStartPosition();
    std::unique_ptr<TMoveGenerator> generator = variant.CreateMoveGenerator();
    for (auto _ : AState) {
        generator->SetPosition(position.get());
        benchmark::DoNotOptimize(generator.get());
    }
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK_CAPTURE(BM_GeneratorNewPosition, Chess, "chess")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GeneratorNewPosition, Shogi, "shogi")->Unit(benchmark::kMicrosecond);

} // namespace
