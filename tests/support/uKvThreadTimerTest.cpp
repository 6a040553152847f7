#include "support/uKvThreadTimer.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

bool WaitUntil(const std::function<bool()>& ACondition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ACondition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

TEST(TKvThreadTimer, TicksOnlyWhileEnabled) {
    TKvThreadTimer timer;
    timer.SetInterval(TTimeSpan::FromMilliseconds(5));
    std::atomic<int> ticks{0};
    timer.SetOnTimer([&](TKvThreadTimer&) { ++ticks; });
    timer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ticks.load(), 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return ticks.load() >= 3; }));
    timer.SetEnabled(false);
    const int stopped = ticks.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // At most one tick was already under way when the timer was disabled.
    EXPECT_LE(ticks.load(), stopped + 1);
}

TEST(TKvThreadTimer, ZeroIntervalTicksBackToBack) {
    TKvThreadTimer timer;
    timer.SetInterval(TTimeSpan());
    std::atomic<int> ticks{0};
    timer.SetOnTimer([&](TKvThreadTimer&) { ++ticks; });
    timer.Start();
    timer.SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return ticks.load() >= 1000; }));
}

TEST(TKvThreadTimer, TerminateWakesALongSleep) {
    auto timer = std::make_unique<TKvThreadTimer>();
    timer->SetInterval(TTimeSpan::FromSeconds(3600));
    std::atomic<int> ticks{0};
    timer->SetOnTimer([&](TKvThreadTimer&) { ++ticks; });
    timer->Start();
    timer->SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return ticks.load() == 1; }));
    const auto start = std::chrono::steady_clock::now();
    timer.reset(); // terminates and joins
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}
