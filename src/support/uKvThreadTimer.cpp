#include "support/uKvThreadTimer.h"

#include "support/uInt128.h"

#include <chrono>

TKvThreadTimer::TKvThreadTimer(std::string AName)
    : TKvThread(std::move(AName)), FInterval(TTimeSpan::FromSeconds(1)) {}

TKvThreadTimer::~TKvThreadTimer() {
    TerminateAndWait();
}

void TKvThreadTimer::SetEnabled(bool AValue) {
    {
        std::scoped_lock lock(FLock);
        if (FEnabled.load(std::memory_order_relaxed) == AValue)
            return;
        if (AValue)
            FStartTime.store(MainTimer().GetValue(), std::memory_order_relaxed);
        FEnabled.store(AValue, std::memory_order_release);
        ++FGeneration;
    }
    FWake.notify_all();
}

TTimeSpan TKvThreadTimer::Interval() const {
    std::scoped_lock lock(FLock);
    return FInterval;
}

void TKvThreadTimer::SetInterval(TTimeSpan AValue) {
    {
        std::scoped_lock lock(FLock);
        FInterval = AValue;
        ++FGeneration;
    }
    FWake.notify_all();
}

void TKvThreadTimer::SetOnTimer(TOnTimer AOnTimer) {
    std::scoped_lock lock(FLock);
    FOnTimer = std::move(AOnTimer);
}

void TKvThreadTimer::Terminate() {
    {
        std::scoped_lock lock(FLock);
        TKvThread::Terminate();
        ++FGeneration;
    }
    FWake.notify_all();
}

TTimeSpan TKvThreadTimer::GetElapsedTime() const {
    return MainTimer().IntervalFrom(FStartTime.load(std::memory_order_relaxed));
}

void TKvThreadTimer::DoTimer() {
    TOnTimer callback;
    {
        std::scoped_lock lock(FLock);
        callback = FOnTimer;
    }
    if (callback)
        callback(*this);
}

void TKvThreadTimer::Execute() {
    FStartTime.store(MainTimer().GetValue(), std::memory_order_relaxed);
    std::unique_lock lock(FLock);
    while (!Terminated()) {
        const std::int64_t idleStart = MainTimer().GetValue();
        FWake.wait(lock, [this] { return Terminated() || Enabled(); });
        FIdleTicks.fetch_add(MainTimer().IntervalFrom(idleStart).Ticks(),
                             std::memory_order_relaxed);
        if (Terminated())
            break;
        lock.unlock();
        const std::int64_t workStart = MainTimer().GetValue();
        DoTimer();
        FTickCount.fetch_add(1, std::memory_order_relaxed);
        FWorkingTicks.fetch_add(MainTimer().IntervalFrom(workStart).Ticks(),
                                std::memory_order_relaxed);
        lock.lock();
        if (Terminated() || !Enabled())
            continue;
        const std::int64_t interval = FInterval.Ticks();
        if (interval <= 0)
            continue;
        const std::int64_t elapsed =
            MainTimer().IntervalFrom(FStartTime.load(std::memory_order_relaxed)).Ticks();
        const std::int64_t  span = interval - (elapsed < 0 ? 0 : elapsed % interval);
        const std::uint64_t generation = FGeneration;
        const std::int64_t  sleepStart = MainTimer().GetValue();
        FWake.wait_for(lock,
                       std::chrono::nanoseconds(static_cast<std::int64_t>(
                           TInt128(span) * 1000000000 / MainTimer().Frequency())),
                       [&] { return FGeneration != generation; });
        FIdleTicks.fetch_add(MainTimer().IntervalFrom(sleepStart).Ticks(),
                             std::memory_order_relaxed);
    }
}
