#include "support/uMainTimer.h"

#include "support/uCommonOutputFormat.h"
#include "support/uInt128.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

namespace {

constexpr std::int64_t MaxTicks = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinTicks = std::numeric_limits<std::int64_t>::min();

std::int64_t Saturate(TInt128 AValue) {
    if (AValue > MaxTicks)
        return MaxTicks;
    if (AValue < MinTicks)
        return MinTicks;
    return static_cast<std::int64_t>(AValue);
}

// Rounded division, halves away from zero.
TInt128 RoundedDivide(TInt128 A, TInt128 B) {
    if (A >= 0)
        return (A + B / 2) / B;
    return -((-A + B / 2) / B);
}

void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

} // namespace

TTimeSpan TTimeSpan::FromMilliseconds(std::int64_t AMilliseconds) {
    return TTimeSpan(Saturate(
        RoundedDivide(static_cast<TInt128>(AMilliseconds) * MainTimer().Frequency(), 1000)));
}

TTimeSpan TTimeSpan::FromSeconds(std::int64_t ASeconds) {
    return TTimeSpan(Saturate(static_cast<TInt128>(ASeconds) * MainTimer().Frequency()));
}

TTimeSpan TTimeSpan::FromMinutes(std::int64_t AMinutes) {
    return TTimeSpan(Saturate(static_cast<TInt128>(AMinutes) * 60 * MainTimer().Frequency()));
}

TTimeSpan TTimeSpan::FromSecondsFloat(double ASeconds) {
    const double ticks = std::round(ASeconds * static_cast<double>(MainTimer().Frequency()));
    if (!(ticks < 9.2e18))
        return TTimeSpan(std::isnan(ticks) ? 0 : MaxTicks);
    if (ticks < -9.2e18)
        return TTimeSpan(MinTicks);
    return TTimeSpan(static_cast<std::int64_t>(ticks));
}

std::int64_t TTimeSpan::ToMilliseconds() const {
    return Saturate(RoundedDivide(static_cast<TInt128>(FTicks) * 1000, MainTimer().Frequency()));
}

double TTimeSpan::ToSeconds() const {
    return static_cast<double>(FTicks) / static_cast<double>(MainTimer().Frequency());
}

std::string TTimeSpan::ToStringInSeconds() const {
    const int digits = MainTimer().PrecisionDigits();
    TInt128   scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    const std::int64_t scaled =
        Saturate(RoundedDivide(static_cast<TInt128>(FTicks) * scale, MainTimer().Frequency()));
    return CommonOutputFormat().NToS(scaled, digits, 10);
}

TTimeSpan operator+(TTimeSpan A, TTimeSpan B) {
    return TTimeSpan(Saturate(static_cast<TInt128>(A.FTicks) + B.FTicks));
}

TTimeSpan operator-(TTimeSpan A, TTimeSpan B) {
    return TTimeSpan(Saturate(static_cast<TInt128>(A.FTicks) - B.FTicks));
}

TTimeSpan TTimeSpan::DivRound(std::int64_t ADivisor) const {
    return TTimeSpan(Saturate(RoundedDivide(FTicks, ADivisor < 1 ? 1 : ADivisor)));
}

TTimeSpan TTimeSpan::Div(std::int64_t ADivisor) const {
    return TTimeSpan(FTicks / (ADivisor < 1 ? 1 : ADivisor));
}

TTimeSpan operator*(TTimeSpan A, std::int64_t AFactor) {
    return TTimeSpan(Saturate(static_cast<TInt128>(A.FTicks) * AFactor));
}

TMainTimer::TMainTimer() {
    FStartValue = GetValue();
}

std::int64_t TMainTimer::GetValue() {
    const std::int64_t value = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count();
    FValue.store(value, std::memory_order_relaxed);
    return value;
}

TTimeSpan TMainTimer::IntervalFrom(std::int64_t AStartTime) {
    return TTimeSpan(Saturate(static_cast<TInt128>(GetValue()) - AStartTime));
}

void TMainTimer::Delay(TTimeSpan ASpan) {
    const std::int64_t start = GetValue();
    while (IntervalFrom(start) < ASpan)
        CpuRelax();
}

void TMainTimer::PreciseSleep(const std::atomic<std::int64_t>& ASpanTicks) {
    const std::int64_t start = GetValue();
    while (true) {
        const std::int64_t span = ASpanTicks.load(std::memory_order_relaxed);
        const std::int64_t elapsed = IntervalFrom(start).Ticks();
        if (elapsed >= span)
            return;
        const std::int64_t remainingMs =
            static_cast<std::int64_t>(static_cast<TInt128>(span - elapsed) * 1000 / FFrequency);
        if (remainingMs < 1) {
            CpuRelax();
            continue;
        }
        const std::int64_t sleepMs = std::min<std::int64_t>(remainingMs - 1, 250);
        if (sleepMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(sleepMs));
        else
            CpuRelax();
    }
}

void TMainTimer::PreciseSleep(TTimeSpan ASpan) {
    const std::atomic<std::int64_t> span{ASpan.Ticks()};
    PreciseSleep(span);
}

TMainTimer& MainTimer() {
    static TMainTimer timer;
    return timer;
}

namespace {
// Created when the program is loaded, so that "time since start" means since process start.
[[maybe_unused]] const std::int64_t GLoadTime = MainTimer().StartValue();
} // namespace

void TStopwatch::Start() {
    if (FRunning.load(std::memory_order_relaxed))
        return;
    FStartValue.store(MainTimer().GetValue(), std::memory_order_relaxed);
    FRunning.store(true, std::memory_order_release);
}

void TStopwatch::Stop() {
    if (!FRunning.load(std::memory_order_relaxed))
        return;
    const std::int64_t stretch =
        MainTimer().IntervalFrom(FStartValue.load(std::memory_order_relaxed)).Ticks();
    FElapsedTicks.store(
        Saturate(static_cast<TInt128>(FElapsedTicks.load(std::memory_order_relaxed)) + stretch),
        std::memory_order_relaxed);
    FRunning.store(false, std::memory_order_release);
}

void TStopwatch::Reset() {
    FElapsedTicks.store(0, std::memory_order_relaxed);
    FStartValue.store(MainTimer().GetValue(), std::memory_order_relaxed);
}

TTimeSpan TStopwatch::Elapsed() const {
    const bool running = FRunning.load(std::memory_order_acquire);
    TInt128    ticks = FElapsedTicks.load(std::memory_order_relaxed);
    if (running)
        ticks += MainTimer().IntervalFrom(FStartValue.load(std::memory_order_relaxed)).Ticks();
    return TTimeSpan(Saturate(ticks < 0 ? 0 : ticks));
}
