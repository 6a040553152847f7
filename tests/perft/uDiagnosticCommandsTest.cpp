#include "perft/uDiagnosticCommands.h"

#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "games/uGameVariant.h"
#include "games/uPosition.h"
#include "perft/uBenchmarkCommand.h"
#include "support/uExceptions.h"
#include "uPerftTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

template <class TCommand> class TCommandFixture {
public:
    TCommandFixture() { FCommand.SetInternalEngine(&FPerft.Engine()); }
    // The message the command raises for AParameters; empty when it succeeds.
    std::string Run(std::string_view AParameters) {
        try {
            FCommand.Execute(AParameters);
        } catch (const Exception& e) {
            return e.what();
        }
        return {};
    }

    TPerftEngine FPerft;
    TCommand     FCommand;
};

} // namespace

TEST(LeadingInteger, ReadsSignsAndDigitsUpToTheFirstOtherCharacter) {
    constexpr std::int32_t                     Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t                     Min = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> Cases[] = {
        {"5", 5},    {" \t7x", 7},         {"-3", -3},
        {"+-4", -4}, {"--2", 2},           {"abc", 0},
        {"", 0},     {"12 9", 12},         {"- 5", 0},
        {"007", 7},  {"99999999999", Max}, {"-99999999999", Min},
    };
    for (const auto& [text, value] : Cases)
        EXPECT_EQ(LeadingInteger(text), value) << "'" << text << "'";
}

TEST(TPerftCommand, StartsAPerftOfTheLeadingNumber) {
    TCommandFixture<TPerftCommand> perft;
    EXPECT_EQ(perft.FCommand.Shortcut(), "Perft");
    EXPECT_EQ(perft.FCommand.GetShortcutAndSyntax(), "Perft [maximal depth]");
    EXPECT_EQ(perft.Run(""), "Parse: 'maximal depth' expected but token '' found.");
    EXPECT_EQ(perft.Run("deep"), "Perft requires positive number argument.");
    EXPECT_EQ(perft.Run("-2"), "Perft requires positive number argument.");
    EXPECT_EQ(perft.Run("2 plies"), "");
    perft.FPerft.Engine().WaitForPerft();
    EXPECT_EQ(NodesSearched(perft.FPerft.Events()), 400);
}

// The word is compared exactly: "ON" is not "on".
TEST(TDebugCommand, SwitchesTheOutputsDebugModeByLowerCaseWordsOnly) {
    TCommandFixture<TDebugCommand> debug;
    TEngineOutput&                 output = *debug.FPerft.Engine().Output();
    EXPECT_EQ(debug.Run("on"), "");
    EXPECT_TRUE(output.DebugMode());
    EXPECT_EQ(debug.Run("ON"), "Parse: 'on' or 'off' expected but token 'ON' found.");
    EXPECT_EQ(debug.Run(""), "Parse: 'on' or 'off' expected but token '' found.");
    EXPECT_TRUE(output.DebugMode());
    EXPECT_EQ(debug.Run("off please"), "");
    EXPECT_FALSE(output.DebugMode());
}

// The shipped engine answers at once with no nodes: every score is 0, never a division by zero.
TEST(TBenchmarkCommand, ScoresTheFivePositionsAndLeavesItsLevel) {
    TCommandFixture<TBenchmarkCommand> benchmark;
    EXPECT_EQ(benchmark.FCommand.GetShortcutAndSyntax(), "Benchmark [basic]");
    EXPECT_EQ(benchmark.Run(""), "Parse: 'basic' expected but token '' found.");
    EXPECT_EQ(benchmark.Run("basics"), "Parse: 'basic' expected but token 'basics' found.");
    EXPECT_TRUE(benchmark.FPerft.Events().empty());

    EXPECT_EQ(benchmark.Run("BASIC"), "");
    std::vector<std::string> scores;
    for (const std::string& event : benchmark.FPerft.Events())
        if (event.find("chmark") != std::string::npos || event.starts_with("Info:Testing"))
            scores.push_back(event);
    EXPECT_EQ(scores, (std::vector<std::string>{
                          "Info:Testing, please wait 15 seconds\u2026", "Info:Bechmark score 1: 0",
                          "Info:Bechmark score 2: 0", "Info:Bechmark score 3: 0",
                          "Info:Bechmark score 4: 0", "Info:Bechmark score 5: 0",
                          "Info:Total bechmark score: 0"}));
    TVexdraEngine& engine = benchmark.FPerft.Engine();
    ASSERT_NE(engine.LevelManager().MyLevel(), nullptr);
    EXPECT_EQ(engine.LevelManager().MyLevel()->GetAsString(), "Move Time: 3.000000000");
    std::shared_ptr<ICustomWriter> writer =
        engine.GameVariant()->CreateForsythEdwardsNotationWriter();
    writer->SetPosition(&engine.Position());
    EXPECT_EQ(writer->AsString(), "4k3/3pp3/8/8/8/8/3PP3/4K3 w - - 0 1");
}
