#include "perft/uBenchmarkCommand.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr const char* BenchmarkPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/qqqqqqqq/8/8/8/8/QQQQQQQQ/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/8/1p1p1p1p/p1p1p1p1/P1P1P1P1/1P1P1P1P/8/RNBQKBNR w KQkq - 0 1",
    "5rk1/2bpp3/b2n1p2/8/8/3B4/PPPPP1Q1/2KRR3 b - - 0 1",
    "4k3/3pp3/8/8/8/8/3PP3/4K3 w - - 0 1",
};
constexpr std::int64_t SecondsPerPosition = 3;

// Nodes per second, rounded; 0 when no time was measured (a search that answers at once).
std::string NodesPerSecondText(std::uint64_t ANodes, double ASeconds) {
    const double rate = ASeconds > 0 ? static_cast<double>(ANodes) / ASeconds : 0.0;
    return TCommonOutputFormat::NToS(std::llround(rate), 0);
}

} // namespace

TBenchmarkCommand::TBenchmarkCommand()
    : TEngineCommand("TBenchmarkCommand"), FLevel(std::make_unique<TMoveTimeLevel>()) {
    SetDescription("Benchmark engine speed on current computer.");
    FLevel->SetValueType(lvtEqual);
}

TBenchmarkCommand::~TBenchmarkCommand() = default;

void TBenchmarkCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (LowerCase(AParameters) != "basic")
        throw EParseError({"basic"}, AParameters);
    TInternalEngine& engine = Engine();
    TEngineOutput&   output = EngineOutput();
    // Five positions of three seconds each.
    output.TellGUIInfo("Testing, please wait 15 seconds\u2026");
    FLevel->SetValue(TTimeSpan::FromSeconds(SecondsPerPosition));
    FLevel->SetAnalysisInfo(&engine.AnalysisInfo());
    engine.LevelManager().SetMyLevel(FLevel.get());
    engine.LevelManager().SetInfiniteAnalysis(false);

    std::uint64_t totalNodes = 0;
    double        totalSeconds = 0;
    int           index = 1;
    for (const char* fen : BenchmarkPositions) {
        engine.SetPositionFromString(fen);
        engine.Start();
        engine.WaitForCalculationDone(FLevel->Value().ToMilliseconds() + 1000);
        const std::uint64_t nodes = engine.AnalysisInfo().Nodes();
        const double        seconds = engine.AnalysisInfo().ElapsedTime().Elapsed().ToSeconds();
        output.TellGUIInfo("Bechmark score " + std::to_string(index) + ": " +
                           NodesPerSecondText(nodes, seconds));
        totalNodes += nodes;
        totalSeconds += seconds;
        ++index;
    }
    output.TellGUIInfo("Total bechmark score: " + NodesPerSecondText(totalNodes, totalSeconds));
}
