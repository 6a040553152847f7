// The engine's threaded perft with the shared table, as "perft" runs it: a fresh engine per
// iteration (an empty table), the given thread count and "Perft Hash" size in MiB. Reports leaf
// nodes per second as "items_per_second"; a wrong total fails the run.
#include "engine/uEngineOutput.h"
#include "engine/uMyInternalEngine.h"
#include "engine/uVexdraEngine.h"
#include "support/uCustomArgument.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct TPerftRow {
    const char*   Fen;
    int           Depth;
    std::uint64_t Nodes;
};

// clang-format off
constexpr TPerftRow Rows[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6, 119060324},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 7, 3195901860},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5, 193690690},
};
// clang-format on

// Keeps only the total of the perft.
class TTotalOutput final : public TEngineOutput {
public:
    void StartWrite() override {}
    void StopWrite() override {}
    void Write(std::string_view, TTextType) override {}
    void WriteLine(std::string_view, TTextType) override {}
    void TellGUIInfo(std::string_view AMessage) override {
        constexpr std::string_view Prefix = "Nodes Searched: ";
        if (AMessage.substr(0, Prefix.size()) == Prefix) {
            std::scoped_lock lock(FLock);
            FTotal = std::stoull(std::string(AMessage.substr(Prefix.size())));
        }
    }
    void        TellGUIError(std::string_view) override {}
    void        TellGUIDebug(std::string_view) override {}
    void        AcceptDraw() override {}
    void        OfferDraw() override {}
    void        Resign() override {}
    void        Start() override {}
    void        DrawDepth() override {}
    void        DrawSelDepth() override {}
    void        DrawNodes() override {}
    void        OneSecond() override {}
    void        ShowBestMove(bool) override {}
    void        DoImportMove() override {}
    void        DrawMove1() override {}
    void        DrawRefutation() override {}
    void        DrawAMoves() override {}
    void        DrawCurrLine(std::string_view) override {}
    std::string ScoreToStr(TScore, TScoreBound) override { return {}; }

    std::uint64_t Total() {
        std::scoped_lock lock(FLock);
        return FTotal;
    }

private:
    std::mutex    FLock;
    std::uint64_t FTotal = 0;
};

// Arguments: row, threads, "Perft Hash" in MiB.
void BM_EnginePerft(benchmark::State& AState) {
    const TPerftRow& row = Rows[AState.range(0)];
    for (auto _ : AState) {
        AState.PauseTiming();
        auto          engine = std::make_unique<TVexdraEngine>();
        auto          output = std::make_unique<TTotalOutput>();
        TTotalOutput& totals = *output;
        engine->SetOutput(std::move(output));
        engine->Threads().SetValue(AState.range(1));
        engine->PerftHash().SetValue(AState.range(2));
        engine->SetPositionFromString(row.Fen);
        AState.ResumeTiming();
        engine->GetPerft(row.Depth);
        engine->WaitForPerft();
        AState.PauseTiming();
        if (totals.Total() != row.Nodes)
            AState.SkipWithError("wrong node count");
        engine.reset();
        AState.ResumeTiming();
    }
    AState.SetItemsProcessed(AState.iterations() * static_cast<std::int64_t>(row.Nodes));
}

} // namespace

BENCHMARK(BM_EnginePerft)
    ->ArgNames({"row", "threads", "hashMiB"})
    ->Args({0, 1, 0})
    ->Args({0, 1, 1024})
    ->Args({0, 2, 1024})
    ->Args({2, 1, 1024})
    ->Args({2, 2, 1024})
    ->Args({1, 2, 1024})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
