#pragma once

#include "support/uKvThread.h"
#include "support/uMainTimer.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

// A periodic timer on its own thread. Ticks stay aligned to the moment it was enabled, so a slow
// callback does not make them drift. Disabling, re-enabling and Terminate wake a sleeping timer
// at once. The callback runs on the timer thread and must be safe against the other threads.
class TKvThreadTimer : public TKvThread {
public:
    using TOnTimer = std::function<void(TKvThreadTimer&)>;

    explicit TKvThreadTimer(std::string AName = "KvThreadTimer");
    ~TKvThreadTimer() override;

    bool      Enabled() const { return FEnabled.load(std::memory_order_acquire); }
    void      SetEnabled(bool AValue);
    TTimeSpan Interval() const;
    void      SetInterval(TTimeSpan AValue);
    void      SetOnTimer(TOnTimer AOnTimer);
    void      Terminate() override;

    TTimeSpan GetElapsedTime() const;
    TTimeSpan GetIdleTime() const { return TTimeSpan(FIdleTicks.load(std::memory_order_relaxed)); }
    TTimeSpan GetWorkingTime() const {
        return TTimeSpan(FWorkingTicks.load(std::memory_order_relaxed));
    }
    std::uint64_t TickCount() const { return FTickCount.load(std::memory_order_relaxed); }

protected:
    void Execute() override;
    // Fires the callback; derived timers call it first.
    virtual void DoTimer();

private:
    mutable std::mutex         FLock;
    std::condition_variable    FWake;
    std::atomic<bool>          FEnabled{false};
    TTimeSpan                  FInterval;
    TOnTimer                   FOnTimer;
    std::atomic<std::int64_t>  FStartTime{0};
    std::atomic<std::int64_t>  FIdleTicks{0};
    std::atomic<std::int64_t>  FWorkingTicks{0};
    std::atomic<std::uint64_t> FTickCount{0};
    std::uint64_t FGeneration = 0; // changes whenever the timer must recompute its sleep
};
