#include "protocols/xboard/uLevelCommand.h"

#include "engine/uLevelManager.h"
#include "engine/uStopManager.h"
#include "engine/uTimeControlLevel.h"
#include "uXBoardTestSupport.h"

#include <gtest/gtest.h>

using namespace xboardtest;

namespace {

TTimeSpan Seconds(double ASeconds) {
    return TTimeSpan::FromSecondsFloat(ASeconds);
}

class TLevelCommandFixture : public TXBoardProtocolFixture {
protected:
    TLevelManager&     Levels() { return FEngine.LevelManager(); }
    TTimeControlLevel* TimeControl() {
        return dynamic_cast<TTimeControlLevel*>(Levels().MyLevel());
    }
};

} // namespace

TEST_F(TLevelCommandFixture, LevelReadsMovesBaseAndIncrement) {
    struct TCase {
        const char*  Line;
        std::int32_t Moves;
        double       Base;      // seconds
        double       Increment; // seconds
    };
    // clang-format off
    const TCase cases[] = {
        {"level 40 5 0",        40, 300,  0},
        {"level 0 2:30 1",       0, 150,  1},
        {"level 40 5",          40, 300,  0}, // no increment given: none
        {"level 40 0:30 0.5",   40,  30,  0.5},
        {"level 0 1.5 2:00",     0,  90,  120},
        {"level 0 0 3",          0,   0,  3},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Run(c.Line), std::vector<std::string>{});
        TTimeControlLevel* level = TimeControl();
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->MoveCount(), c.Moves);
        EXPECT_EQ(level->IncrementTime(), Seconds(c.Base));
        EXPECT_EQ(level->MoveIncrementTime(), Seconds(c.Increment));
        EXPECT_EQ(level->AnalysisInfo(), &FEngine.AnalysisInfo());
    }
    // The time-management options go into the level.
    TTimeControlLevel& level = *TimeControl();
    EXPECT_EQ(level.TimeUsage(), 85);
    EXPECT_EQ(level.MinimalTime(), TTimeSpan::FromMilliseconds(50));
    EXPECT_EQ(level.MaximalMoveOverhead(), TTimeSpan::FromMilliseconds(2500));
    EXPECT_FALSE(level.FixedMoveTime());
}

TEST_F(TLevelCommandFixture, UnreadableLevelLeavesTheLevelAsItWas) {
    Run("st 2");
    TCustomLevel* before = Levels().MyLevel();
    EXPECT_EQ(Error("level 40 x 0"), "'x' is not a valid number");
    EXPECT_EQ(Error("level 40 5256001 0"), "Value 5256001 out of range 0..5256000");
    EXPECT_EQ(Error("level 40 5 1:x"), "'1:x' is not a valid time");
    EXPECT_EQ(Levels().MyLevel(), before);
    Run("level 40 5 0");
    EXPECT_EQ(Error("level 30 0:x 0"), "'0:x' is not a valid time");
    EXPECT_EQ(TimeControl()->MoveCount(), 40);
}

TEST_F(TLevelCommandFixture, StSdAndNps) {
    Run("st 5");
    auto* moveTime = dynamic_cast<TMoveTimeLevel*>(Levels().MyLevel());
    ASSERT_NE(moveTime, nullptr);
    EXPECT_EQ(moveTime->Value(), Seconds(5));
    EXPECT_EQ(moveTime->ValueType(), lvtEqual);
    Run("st 0.25");
    EXPECT_EQ(moveTime->Value(), Seconds(0.25));
    EXPECT_EQ(Error("st"), "Parse: 'exact time per move in seconds' expected but token '' found.");
    EXPECT_EQ(Error("st 86401"), "Value 86401 out of range 0..86400");
    EXPECT_EQ(moveTime->Value(), Seconds(0.25));

    // A depth limit keeps the level; without one the engine gets an endless level.
    Run("sd 7");
    EXPECT_EQ(FEngine.StopManager().LimitMaxDepth(), 7);
    EXPECT_EQ(Levels().MyLevel(), moveTime);
    EXPECT_EQ(Error("sd"), "Parse: 'maximal depth' expected but token '' found.");
    Levels().SetMyLevel(nullptr);
    Run("sd 3");
    ASSERT_NE(Levels().MyLevel(), nullptr);
    EXPECT_EQ(Levels().MyLevel()->GetAsString(), "Infinite");

    Run("nps 5000");
    EXPECT_EQ(FEngine.StopManager().LimitNodesPerSecond(), 5000.0);
    Run("nps 0");
    EXPECT_EQ(FEngine.StopManager().SleepAfterNodes(), 0U);
    EXPECT_EQ(Error("nps"), "Parse: 'exact time per move in seconds' expected but token '' found.");
}

TEST_F(TLevelCommandFixture, TimeAndOtimInCentiseconds) {
    Run("time 214748364.7");
    EXPECT_EQ(Levels().MyRemainTime(), TTimeSpan::FromMinutes(15));
    Run("time 6000");
    EXPECT_EQ(Levels().MyRemainTime(), Seconds(60));
    Run("otim 12345.6");
    EXPECT_EQ(Levels().OpponentRemainTime(), TTimeSpan::FromMilliseconds(123456));
    // Clocks below zero come after a lag; the level counts them as no time left.
    Run("otim -150");
    EXPECT_EQ(Levels().OpponentRemainTime(), Seconds(-1.5));
    EXPECT_EQ(Error("time 31536000001"),
              "Value 31536000001 out of range -31536000000..31536000000");
    EXPECT_EQ(Error("time"), "Parse: 'your remain time in centi-seconds' expected but token '' "
                             "found.");
    EXPECT_EQ(Error("otim "), "Parse: 'opponent time in centi-seconds' expected but token '' "
                              "found.");
    EXPECT_EQ(Error("otim 1:00"), "'1:00' is not a valid number");
    EXPECT_EQ(Levels().MyRemainTime(), Seconds(60));
    EXPECT_EQ(Levels().OpponentRemainTime(), Seconds(-1.5));
}
