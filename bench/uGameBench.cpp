// Throughput of the game model: make/revert, hashing, generation and single-threaded perft
// without a hash table. Perft rows report leaf nodes per second as "items_per_second".
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* KiwipeteFen =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

struct TBenchGame {
    std::unique_ptr<TPosition>      Position;
    std::unique_ptr<TMoveGenerator> Generator;
    TGameVariant*                   Variant = nullptr;
};

// The perft calculator on a copy of the game's position, single-threaded without a table.
std::unique_ptr<TPerftCalculator> MakeCalculator(const TBenchGame& AGame, bool APerftMode) {
    auto calculator = std::make_unique<TPerftCalculator>();
    calculator->SetMoveGenerator(AGame.Variant->CreateMoveGenerator(), AGame.Position->Clone());
    calculator->MoveGenerator().SetPerftMode(APerftMode);
    return calculator;
}

TBenchGame MakeVariantGame(const char* AVariant, const char* AFen, bool APerftMode) {
    static TGameVariants variants = [] {
        TGameVariants result;
        RegisterGameVariants(result);
        return result;
    }();
    TGameVariant* variant = variants.FindByName(AVariant);
    TBenchGame    game{variant->CreateStartPosition(), variant->CreateMoveGenerator(), variant};
    if (AFen != nullptr) {
        auto parser = variant->CreateForsythEdwardsNotationParser();
        parser->SetPosition(game.Position.get());
        parser->Parse(AFen);
    }
    game.Generator->SetPosition(game.Position.get());
    game.Generator->SetPerftMode(APerftMode);
    return game;
}

TBenchGame MakeGame(const char* AFen, bool APerftMode) {
    return MakeVariantGame("chess", AFen, APerftMode);
}

std::vector<TMove> AllMoves(TBenchGame& AGame) {
    TMoveListGuard guard(*AGame.Generator);
    return {guard.List().begin(), guard.List().end()};
}

void BM_MakeRevert(benchmark::State& AState) {
    TBenchGame               game = MakeGame(KiwipeteFen, true);
    const std::vector<TMove> moves = AllMoves(game);
    for (auto _ : AState)
        for (const TMove& move : moves) {
            game.Position->MakeRevertableMove(move);
            game.Position->RevertMove(move);
        }
    benchmark::DoNotOptimize(game.Position->Hash());
    AState.SetItemsProcessed(AState.iterations() * static_cast<std::int64_t>(moves.size()));
}
BENCHMARK(BM_MakeRevert);

void BM_GetHash(benchmark::State& AState) {
    TBenchGame game = MakeGame(KiwipeteFen, true);
    for (auto _ : AState)
        benchmark::DoNotOptimize(game.Position->GetHash());
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK(BM_GetHash);

void BM_Generate(benchmark::State& AState) {
    TBenchGame game = MakeGame(KiwipeteFen, AState.range(0) != 0);
    for (auto _ : AState) {
        TMoveListGuard guard(*game.Generator);
        benchmark::DoNotOptimize(guard.List().Count);
    }
    AState.SetItemsProcessed(AState.iterations());
    AState.SetLabel(AState.range(0) != 0 ? "perft mode" : "evaluating");
}
BENCHMARK(BM_Generate)->Arg(0)->Arg(1);

void BM_Perft(benchmark::State& AState, const char* AFen, int ADepth, bool APerftMode) {
    TBenchGame    game = MakeGame(AFen, APerftMode);
    auto          calculator = MakeCalculator(game, APerftMode);
    std::uint64_t nodes = 0;
    for (auto _ : AState)
        nodes += calculator->CalculateTotal(ADepth);
    AState.SetItemsProcessed(static_cast<std::int64_t>(nodes));
    AState.counters["nodes"] =
        benchmark::Counter(static_cast<double>(nodes) / static_cast<double>(AState.iterations()));
}
BENCHMARK_CAPTURE(BM_Perft, StartDepth6, StartFen, 6, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, KiwipeteDepth5, KiwipeteFen, 5, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, KiwipeteDepth4Evaluating, KiwipeteFen, 4, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Perft, Position3Depth7, "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 7, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The variants from their start positions, single-threaded without a hash table: the deepest
// reference rows of each (counts in the "nodes" counter).
void BM_VariantPerft(benchmark::State& AState, const char* AVariant, int ADepth) {
    TBenchGame    game = MakeVariantGame(AVariant, nullptr, true);
    auto          calculator = MakeCalculator(game, true);
    std::uint64_t nodes = 0;
    for (auto _ : AState)
        nodes += calculator->CalculateTotal(ADepth);
    AState.SetItemsProcessed(static_cast<std::int64_t>(nodes));
    AState.counters["nodes"] =
        benchmark::Counter(static_cast<double>(nodes) / static_cast<double>(AState.iterations()));
}
BENCHMARK_CAPTURE(BM_VariantPerft, ThreeCheckDepth6, "3Check", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_VariantPerft, KingOfTheHillDepth6, "kingOfTheHill", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_VariantPerft, RacingKingsDepth5, "racingKings", 5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_VariantPerft, AtomicDepth5, "atomic", 5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_VariantPerft, CrazyhouseDepth5, "crazyhouse", 5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_VariantPerft, HordeDepth6, "horde", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_VariantPerft, HordeChessDepth6, "hordeChess", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_VariantPerft, GiveawayDepth6, "giveaway", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_VariantPerft, DunsanyDepth6, "dunsany", 6)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
