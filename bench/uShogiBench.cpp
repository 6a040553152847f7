// Throughput of the shogi game model, and the deep rows of the shogi family's perft table (the
// run fails when a count differs). Perft rows report leaf nodes per second as "items_per_second".
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* MiddleGame =
    "l1s3sn1/r3k1g1l/p1ngpp1p1/1ppp2p1p/1P6P/P2PP1PP1/2PG1+b3/1B1K3S1/LNS2GRNL b p 41";
// Many pieces in hand: drops dominate the lists.
constexpr const char* FullHands = "8l/1l+R2P3/p2pBG1pp/kps1p4/Nn1P2G2/P1P1P2PP/1PS6/1KSG3+r1/"
                                  "LN2+p3L w Sbgn3p 124";

struct TShogiBenchGame {
    std::unique_ptr<TPosition>      Position;
    std::unique_ptr<TMoveGenerator> Generator;
    TGameVariant*                   Variant = nullptr;
};

// The perft calculator on a copy of the game's position, single-threaded without a table.
std::unique_ptr<TPerftCalculator> MakeCalculator(const TShogiBenchGame& AGame, bool APerftMode) {
    auto calculator = std::make_unique<TPerftCalculator>();
    calculator->SetMoveGenerator(AGame.Variant->CreateMoveGenerator(), AGame.Position->Clone());
    calculator->MoveGenerator().SetPerftMode(APerftMode);
    return calculator;
}

TShogiBenchGame MakeShogiGame(const char* AVariant, const char* ASfen, bool APerftMode) {
    static TGameVariants variants = [] {
        TGameVariants result;
        RegisterGameVariants(result);
        return result;
    }();
    TGameVariant*   variant = variants.FindByName(AVariant);
    TShogiBenchGame game{variant->CreateStartPosition(), variant->CreateMoveGenerator(), variant};
    if (ASfen != nullptr) {
        auto parser = variant->CreateForsythEdwardsNotationParser();
        parser->SetPosition(game.Position.get());
        parser->Parse(ASfen);
    }
    game.Generator->SetPosition(game.Position.get());
    game.Generator->SetPerftMode(APerftMode);
    return game;
}

void BM_ShogiGenerate(benchmark::State& AState, const char* ASfen) {
    TShogiBenchGame game = MakeShogiGame("shogi", ASfen, true);
    for (auto _ : AState) {
        TMoveListGuard guard(*game.Generator);
        benchmark::DoNotOptimize(guard.List().Count);
    }
    AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK_CAPTURE(BM_ShogiGenerate, MiddleGame, MiddleGame);
BENCHMARK_CAPTURE(BM_ShogiGenerate, FullHands, FullHands);

void BM_ShogiPerft(benchmark::State& AState, const char* AVariant, const char* ASfen, int ADepth,
                   std::uint64_t AExpected) {
    TShogiBenchGame game = MakeShogiGame(AVariant, ASfen, true);
    auto            calculator = MakeCalculator(game, true);
    std::uint64_t   nodes = 0;
    for (auto _ : AState) {
        const std::uint64_t count = calculator->CalculateTotal(ADepth);
        if (count != AExpected)
            AState.SkipWithError(("wrong count " + std::to_string(count)).c_str());
        nodes += count;
    }
    AState.SetItemsProcessed(static_cast<std::int64_t>(nodes));
}
BENCHMARK_CAPTURE(BM_ShogiPerft, ShogiStartDepth5, "shogi", nullptr, 5, 19861490)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ShogiPerft, ShogiMiddleGameDepth4, "shogi", MiddleGame, 4, 1678661)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ShogiPerft, MinishogiStartDepth6, "minishogi", nullptr, 6, 8276188)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ShogiPerft, DobutsuStartDepth8, "dobutsuShogi", nullptr, 8, 2846680)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
