#include "protocols/uci/uUCICommand.h"

#include "app/uConsoleEngine.h"
#include "games/uGameVariants.h"
#include "protocols/uUCITestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The console application with the test engine, switched to UCI by the line "uci". What the
// engine writes goes to this process's standard output; the tests look at the engine's state.
class TUCICommandFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (GameVariants().Count() == 0)
            RegisterGameVariants(GameVariants());
        FApplication.Initialize();
        ASSERT_TRUE(FApplication.Initialized());
        FApplication.SetInternalEngine(&FEngine);
        FApplication.ProcessLine("uci");
        FCommand = dynamic_cast<TUCICommand*>(FApplication.Commands().FindByString("uci"));
        ASSERT_NE(FCommand, nullptr);
    }
    void        TearDown() override { FApplication.SetInternalEngine(nullptr); }
    std::string Variant() const {
        return FEngine.GameVariant() != nullptr ? FEngine.GameVariant()->Name() : "";
    }
    std::string Value(std::string_view AOption) {
        return FEngine.Option(AOption).GetValueAsString();
    }

    TConsoleEngine FApplication;
    TUCITestEngine FEngine;
    TUCICommand*   FCommand = nullptr;
};

} // namespace

TEST_F(TUCICommandFixture, SelectsTheProtocolOnce) {
    EXPECT_NE(FApplication.Protocol(), nullptr);
    EXPECT_NE(dynamic_cast<TUCIEngineOutput*>(FEngine.Output()), nullptr);
    EXPECT_FALSE(FCommand->Enabled());
    // The UCI options follow the engine's own, before the protocol's two.
    const TArguments& options = FEngine.Options();
    ASSERT_EQ(options.Count(), 5 + 6);
    const std::vector<std::string> names = {"UCI_Variant",       "UCI_Chess960",
                                            "UCI_AnalyseMode",   "UCI_Opponent",
                                            "Show Current Move", "Show Selective Depth"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(options.Get(5 + i).Shortcut(), names[static_cast<std::size_t>(i)]);
    EXPECT_EQ(Value("UCI_Variant"), "chess");
    // Every registered name, then the lower-case names other engines list for the variants
    // whose names have capitals; each one selects its variant.
    const std::vector<std::string>& captions = FCommand->UCI_Variant()->Captions();
    ASSERT_EQ(captions.size(), GameVariants().Count() + 6);
    // From the last to the first, so that each one is a change.
    for (std::size_t i = captions.size(); i-- > 0;) {
        SCOPED_TRACE(captions[i]);
        TGameVariant* variant = GameVariants().FindByName(captions[i]);
        ASSERT_NE(variant, nullptr);
        FCommand->UCI_Variant()->SetValue(static_cast<int>(i));
        EXPECT_EQ(FEngine.GameVariant(), variant);
    }
    for (const char* name : {"3check", "kingofthehill", "racingkings"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), name), captions.end()) << name;
    FCommand->UCI_Variant()->SetValueFromString("RACINGKINGS");
    EXPECT_EQ(FEngine.GameVariant()->Name(), "racingKings");
    EXPECT_EQ(GameVariants().Items(static_cast<std::size_t>(FCommand->FindChess960())).Name(),
              "chess960");
    // The protocol's commands answer now.
    ASSERT_NE(FApplication.Commands().FindByString("isready"), nullptr);
    EXPECT_TRUE(FApplication.Commands().FindByString("isready")->Enabled());
}

TEST_F(TUCICommandFixture, VariantAndChess960SwitchFollowEachOther) {
    FApplication.ProcessLine("setoption name UCI_Chess960 value true");
    EXPECT_EQ(Variant(), "chess960");
    EXPECT_EQ(Value("UCI_Variant"), "chess960");
    EXPECT_EQ(FEngine.CastlingNotation(), cnKingTakesRook);

    FApplication.ProcessLine("setoption name UCI_Variant value horde");
    EXPECT_EQ(Variant(), "horde");
    EXPECT_EQ(Value("UCI_Chess960"), "false");
    EXPECT_EQ(FEngine.CastlingNotation(), cnKingTwoFiles);

    FApplication.ProcessLine("setoption name UCI_Variant value shuffle");
    EXPECT_EQ(FEngine.CastlingNotation(), cnKingTakesRook);
    FApplication.ProcessLine("setoption name UCI_Variant value chess960");
    EXPECT_EQ(Value("UCI_Chess960"), "true");

    // Off again: the first registered variant.
    FApplication.ProcessLine("setoption name UCI_Chess960 value false");
    EXPECT_EQ(Variant(), GameVariants().Items(0).Name());
    EXPECT_EQ(FEngine.CastlingNotation(), cnKingTwoFiles);

    // An unknown variant changes nothing.
    FApplication.ProcessLine("setoption name UCI_Variant value chess961");
    EXPECT_EQ(Value("UCI_Variant"), GameVariants().Items(0).Name());
}

TEST_F(TUCICommandFixture, AnalyseModeAndOpponent) {
    FApplication.ProcessLine("setoption name UCI_AnalyseMode value true");
    EXPECT_TRUE(FApplication.Protocol()->AnalyzeMode());
    FApplication.ProcessLine("setoption name UCI_AnalyseMode value false");
    EXPECT_FALSE(FApplication.Protocol()->AnalyzeMode());

    FApplication.ProcessLine("setoption UCI_Opponent value GM 2800 human Gary Kasparov");
    EXPECT_EQ(FEngine.Opponent().Title, "GM");
    EXPECT_EQ(FEngine.Opponent().Elo, 2800);
    EXPECT_EQ(FEngine.Opponent().OpponentType, otHuman);
    EXPECT_EQ(FEngine.Opponent().Name, "Gary Kasparov");
    // A text the engine cannot read is refused and the option keeps what the engine uses.
    FApplication.ProcessLine("setoption name UCI_Opponent value none strong robot X");
    EXPECT_EQ(FEngine.Opponent().Elo, 2800);
    EXPECT_EQ(Value("UCI_Opponent"), "GM 2800 human Gary Kasparov");
}
