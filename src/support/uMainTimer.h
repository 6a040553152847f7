#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// A signed count of main-timer ticks. Conversions round to the nearest tick or millisecond and
// saturate instead of overflowing, because front ends send clocks far outside any sane range.
class TTimeSpan {
public:
    constexpr TTimeSpan() = default;
    constexpr explicit TTimeSpan(std::int64_t ATicks) : FTicks(ATicks) {}

    static TTimeSpan FromMilliseconds(std::int64_t AMilliseconds);
    static TTimeSpan FromSeconds(std::int64_t ASeconds);
    static TTimeSpan FromMinutes(std::int64_t AMinutes);
    static TTimeSpan FromSecondsFloat(double ASeconds);

    constexpr std::int64_t Ticks() const { return FTicks; }
    std::int64_t           ToMilliseconds() const;
    double                 ToSeconds() const;
    // Seconds as a decimal number with the timer's precision digits.
    std::string ToStringInSeconds() const;

    constexpr bool IsZero() const { return FTicks == 0; }
    // Negative spans (clocks that front ends send below zero) count as no time at all.
    constexpr TTimeSpan NonNegative() const { return TTimeSpan(FTicks < 0 ? 0 : FTicks); }
    // Division rounded to the nearest tick, halves away from zero. A divisor below 1 counts
    // as 1, so no caller can divide by zero.
    TTimeSpan DivRound(std::int64_t ADivisor) const;
    // Division truncated toward zero; a divisor below 1 counts as 1.
    TTimeSpan Div(std::int64_t ADivisor) const;

    friend constexpr auto operator<=>(TTimeSpan, TTimeSpan) = default;
    // Sums, differences and products saturate at the ends of the 64-bit range.
    friend TTimeSpan operator+(TTimeSpan A, TTimeSpan B);
    friend TTimeSpan operator-(TTimeSpan A, TTimeSpan B);
    friend TTimeSpan operator*(TTimeSpan A, std::int64_t AFactor);
    friend TTimeSpan operator*(std::int64_t AFactor, TTimeSpan A) { return A * AFactor; }
    TTimeSpan&       operator+=(TTimeSpan A) { return *this = *this + A; }
    TTimeSpan&       operator-=(TTimeSpan A) { return *this = *this - A; }

private:
    std::int64_t FTicks = 0;
};

enum TMeasureType : std::uint8_t {
    mtNone,
    mtGetTickCount32,
    mtGetTickCount64,
    mtPerformanceCounter,
    mtTSC
};

// The process's monotonic high-resolution clock (nanosecond ticks), read at program load and
// on demand. Its frequency is the tick rate of every TTimeSpan.
class TMainTimer final {
public:
    TMainTimer();

    std::int64_t GetValue();
    std::int64_t Value() const { return FValue.load(std::memory_order_relaxed); }
    // Now minus the start, in ticks.
    TTimeSpan    IntervalFrom(std::int64_t AStartTime);
    std::int64_t Frequency() const { return FFrequency; }
    int          PrecisionDigits() const { return FPrecisionDigits; }
    TMeasureType MeasureType() const { return FMeasureType; }
    // The value read when the program was loaded.
    std::int64_t StartValue() const { return FStartValue; }

    // Spins until the span has passed.
    void Delay(TTimeSpan ASpan);
    // Sleeps in slices of at most 250 ms and spins below 1 ms. The span is re-read every slice,
    // so another thread can end the sleep early by setting it to 0.
    void PreciseSleep(const std::atomic<std::int64_t>& ASpanTicks);
    void PreciseSleep(TTimeSpan ASpan);

private:
    std::atomic<std::int64_t> FValue{0};
    std::int64_t              FStartValue = 0;
    std::int64_t              FFrequency = 1000000000;
    int                       FPrecisionDigits = 9;
    TMeasureType              FMeasureType = mtPerformanceCounter;
};

TMainTimer& MainTimer();

// Accumulates main-timer time while it runs. Any thread may read it while one thread starts and
// stops it: the fields are atomics, so a reader never sees a torn value, only a reading that
// races with Stop itself may be off for that one moment.
class TStopwatch final {
public:
    // Resumes counting; nothing when already running.
    void Start();
    // Adds the running stretch to the total; nothing when stopped.
    void Stop();
    // Zero total; a running stopwatch keeps running from now.
    void Reset();
    // Reset, then Start.
    void Restart() {
        Reset();
        Start();
    }
    bool      IsRunning() const { return FRunning.load(std::memory_order_acquire); }
    TTimeSpan Elapsed() const;

private:
    std::atomic<bool>         FRunning{false};
    std::atomic<std::int64_t> FStartValue{0};
    std::atomic<std::int64_t> FElapsedTicks{0};
};
