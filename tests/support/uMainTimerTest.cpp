#include <gtest/gtest.h>

#include "support/uMainTimer.h"

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
    std::thread clearer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        span = 0;
    });
    const std::int64_t start = MainTimer().GetValue();
    MainTimer().PreciseSleep(span);
    clearer.join();
    EXPECT_LT(MainTimer().IntervalFrom(start), TTimeSpan::FromSeconds(30));
}
