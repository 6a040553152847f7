#include "support/uMainTimer.h"

#include <gtest/gtest.h>
#include <limits>
#include <thread>

TEST(TTimeSpan, ConversionsRoundAndSaturate) {
    EXPECT_EQ(MainTimer().Frequency(), 1000000000);
    EXPECT_EQ(TTimeSpan::FromMilliseconds(1500).Ticks(), 1500000000);
    EXPECT_EQ(TTimeSpan::FromSeconds(-2).ToMilliseconds(), -2000);
    EXPECT_EQ(TTimeSpan(1499999).ToMilliseconds(), 1);
    EXPECT_EQ(TTimeSpan(1500000).ToMilliseconds(), 2);
    EXPECT_EQ(TTimeSpan(-1500000).ToMilliseconds(), -2);
    EXPECT_EQ(TTimeSpan::FromMilliseconds(INT64_MAX).Ticks(), INT64_MAX);
    EXPECT_EQ(TTimeSpan::FromMinutes(INT64_MIN / 2).Ticks(), INT64_MIN);
    EXPECT_EQ((TTimeSpan(INT64_MAX) + TTimeSpan(1)).Ticks(), INT64_MAX);
    EXPECT_EQ(TTimeSpan::FromSecondsFloat(1e300).Ticks(), INT64_MAX);
    EXPECT_EQ(TTimeSpan::FromSecondsFloat(0.25).Ticks(), 250000000);
    EXPECT_EQ(TTimeSpan::FromMilliseconds(1250).ToStringInSeconds(), "1.250000000");
}

TEST(TMainTimer, PreciseSleepEndsWhenTheSpanIsCleared) {
    std::atomic<std::int64_t> span{TTimeSpan::FromSeconds(60).Ticks()};
    std::thread               clearer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        span = 0;
    });
    const std::int64_t        start = MainTimer().GetValue();
    MainTimer().PreciseSleep(span);
    clearer.join();
    EXPECT_LT(MainTimer().IntervalFrom(start), TTimeSpan::FromSeconds(30));
}

TEST(TTimeSpan, ArithmeticRoundsAndSaturates) {
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();
    struct TCase {
        std::int64_t Ticks;
        std::int64_t Divisor;
        std::int64_t Rounded;
        std::int64_t Truncated;
    };
    constexpr TCase Cases[] = {
        {7, 2, 4, 3}, {-7, 2, -4, -3}, {5, 3, 2, 1},       {4, 3, 1, 1},
        {7, 0, 7, 7}, {7, -2, 7, 7},   {Max, 1, Max, Max}, {Max, 2, Max / 2 + 1, Max / 2},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Ticks << " / " << c.Divisor);
        EXPECT_EQ(TTimeSpan(c.Ticks).DivRound(c.Divisor).Ticks(), c.Rounded);
        EXPECT_EQ(TTimeSpan(c.Ticks).Div(c.Divisor).Ticks(), c.Truncated);
    }
    EXPECT_EQ((TTimeSpan(3) * 4).Ticks(), 12);
    EXPECT_EQ((4 * TTimeSpan(-3)).Ticks(), -12);
    EXPECT_EQ((TTimeSpan(Max / 2) * 3).Ticks(), Max);
    EXPECT_EQ((TTimeSpan(Max / 2) * -3).Ticks(), Min);
    EXPECT_EQ((TTimeSpan(Max) + TTimeSpan(1)).Ticks(), Max);
    EXPECT_EQ((TTimeSpan(Min) - TTimeSpan(1)).Ticks(), Min);
    EXPECT_EQ(TTimeSpan(-5).NonNegative(), TTimeSpan());
    EXPECT_EQ(TTimeSpan(5).NonNegative(), TTimeSpan(5));
    // Clocks far outside any sane range saturate instead of overflowing.
    EXPECT_EQ(TTimeSpan::FromMilliseconds(Max).Ticks(), Max);
    EXPECT_EQ(TTimeSpan::FromMilliseconds(-31536000000).ToMilliseconds(), -31536000000);
}

TEST(TStopwatch, CountsOnlyWhileRunning) {
    TStopwatch watch;
    EXPECT_FALSE(watch.IsRunning());
    EXPECT_EQ(watch.Elapsed(), TTimeSpan());
    watch.Start();
    EXPECT_TRUE(watch.IsRunning());
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    watch.Stop();
    const TTimeSpan first = watch.Elapsed();
    EXPECT_GE(first, TTimeSpan::FromMilliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(watch.Elapsed(), first) << "a stopped watch stands still";
    watch.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GE(watch.Elapsed(), first + TTimeSpan::FromMilliseconds(2)) << "it resumes";
    watch.Stop();
    watch.Reset();
    EXPECT_EQ(watch.Elapsed(), TTimeSpan());
    watch.Restart();
    EXPECT_TRUE(watch.IsRunning());
}
