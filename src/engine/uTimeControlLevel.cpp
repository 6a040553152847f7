#include "engine/uTimeControlLevel.h"

#include "engine/uAnalysisInfo.h"
#include "support/uInt128.h"

#include <limits>

namespace {

std::int64_t SaturateTicks(TInt128 AValue) {
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    return AValue > Max ? Max : static_cast<std::int64_t>(AValue);
}

// Non-negative operands only: (a + b / 2) / b.
TInt128 RoundedDivide(TInt128 A, TInt128 B) {
    return (A + B / 2) / B;
}

} // namespace

// ---- TTimeLevel ----
// "el" below is the search time plus the average move overhead, "raw" the search time alone.

bool TTimeLevel::GetStopDepth() {
    if (FAnalysisInfo == nullptr || FAnalysisInfo->Depth() < 1 || FFixedMoveTime)
        return false;
    if (FAnalysisInfo->ElapsedTime().Elapsed() < FMinimalTime)
        return false;
    const TTimeSpan el = FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead();
    // Half the average is gone: another depth would not fit.
    if (el * 2 > FAverageTime)
        return true;
    return el >= FMaximalTime;
}

bool TTimeLevel::GetStopMove() {
    if (FAnalysisInfo == nullptr || FAnalysisInfo->Depth() < 2 ||
        FAnalysisInfo->ActualBestMoveIsBad() || FAnalysisInfo->ChangedMove() || FFixedMoveTime)
        return false;
    if (FAnalysisInfo->ElapsedTime().Elapsed() < FMinimalTime)
        return false;
    return FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead() > FAverageTime * 2;
}

bool TTimeLevel::GetStopNode() {
    // The clock is read only at every 1000th node.
    if (FAnalysisInfo == nullptr || FAnalysisInfo->Nodes() % 1000 != 0 ||
        FAnalysisInfo->Depth() < 2)
        return false;
    if (FAnalysisInfo->ElapsedTime().Elapsed() < FMinimalTime)
        return false;
    const TTimeSpan el = FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead();
    if (el >= FMaximalTime)
        return true;
    return FFixedMoveTime && el >= FAverageTime;
}

std::string TTimeLevel::GetAsString() const {
    return "Time Limits: Min: " + FMinimalTime.ToStringInSeconds() +
           " | Avg: " + FAverageTime.ToStringInSeconds() +
           " | Max: " + FMaximalTime.ToStringInSeconds();
}

// ---- TTimeControlLevel ----

void TTimeControlLevel::SetMoveIndex(std::int32_t AValue) {
    FMoveIndex = AValue;
    const std::int64_t usage = FTimeUsage < 1 ? 1 : FTimeUsage;
    const std::int64_t remainingMoves =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(FMoveCount) - FMoveIndex);
    // Moves to spread the time over, scaled by the time usage.
    TInt128 n = RoundedDivide(static_cast<TInt128>(remainingMoves) * 100, usage);
    if (n == 0)
        n = 1;
    // Clocks below zero, which front ends do send, count as no time left.
    const TTimeSpan available =
        (FIncrementTime.NonNegative() - FMaximalMoveOverhead.NonNegative()).NonNegative();
    const TInt128   increment = FMoveIncrementTime.NonNegative().Ticks();
    const TInt128   budget = static_cast<TInt128>(available.Ticks()) + (n - 1) * increment;
    const TTimeSpan x(SaturateTicks(RoundedDivide(3 * budget, n)));
    FMaximalTime = x;
    // The average is a third of the unclamped maximum.
    FAverageTime = x.Div(3);
    if (x > available)
        FMaximalTime = available;
}

std::string TTimeControlLevel::GetAsString() const {
    return "Time Control: Total Time: " + FIncrementTime.ToStringInSeconds() +
           ", Move Increment: " + FMoveIncrementTime.ToStringInSeconds() +
           ", Free Time: " + FFreeTime.ToStringInSeconds() +
           ", Remain Moves: " + std::to_string(FMoveCount);
}

// ---- TMoveTimeLevel ----

bool TMoveTimeLevel::GetStopDepth() {
    if (FAnalysisInfo == nullptr || FAnalysisInfo->Depth() <= 0)
        return false;
    switch (FValueType) {
    case lvtMinimal:
        return FAnalysisInfo->ElapsedTime().Elapsed() >= FValue;
    case lvtEqual:
        return false;
    case lvlAverage:
        return FAnalysisInfo->EstimateNextDepthElapsedTime() +
                   FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead() >
               FValue * 2;
    case lvtMaximal:
        return FAnalysisInfo->EstimateNextDepthElapsedTime() +
                   FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead() >
               FValue;
    }
    return false;
}

bool TMoveTimeLevel::GetStopMove() {
    if (FValueType == lvtEqual)
        return false;
    return TTimeLevel::GetStopMove();
}

bool TMoveTimeLevel::GetStopNode() {
    if (FAnalysisInfo == nullptr || (FValueType != lvtEqual && FValueType != lvtMaximal))
        return false;
    return FAnalysisInfo->ElapsedTimeWithAverageMoveOverhead() >= FValue;
}

std::string TMoveTimeLevel::GetAsString() const {
    return "Move Time: " + FValue.ToStringInSeconds();
}

// ---- TNodesLevel ----

bool TNodesLevel::GetStopDepth() {
    if (FAnalysisInfo == nullptr)
        return false;
    const std::uint64_t nodes = FAnalysisInfo->Nodes();
    switch (FValueType) {
    case lvtMinimal:
        return nodes >= FValue;
    case lvtEqual:
        return false;
    case lvlAverage:
        return static_cast<TUInt128>(FAnalysisInfo->EstimateNextDepthNodes()) + nodes >
               static_cast<TUInt128>(FValue) * 2;
    case lvtMaximal:
        return static_cast<TUInt128>(FAnalysisInfo->EstimateNextDepthNodes()) + nodes > FValue;
    }
    return false;
}

bool TNodesLevel::GetStopNode() {
    if (FAnalysisInfo == nullptr || (FValueType != lvtEqual && FValueType != lvtMaximal))
        return false;
    return FAnalysisInfo->Nodes() >= FValue;
}

std::string TNodesLevel::GetAsString() const {
    return "Nodes " + std::to_string(FValue);
}

// ---- depth levels ----

bool TMaximalDepthLevel::GetStopDepth() {
    return FAnalysisInfo != nullptr && FAnalysisInfo->Depth() >= FValue;
}

std::string TMaximalDepthLevel::GetAsString() const {
    return "Maximal Depth: " + std::to_string(FValue);
}

bool TWinInLevel::GetStopDepth() {
    return FAnalysisInfo != nullptr && FAnalysisInfo->Depth() >= FValue;
}

std::string TWinInLevel::GetAsString() const {
    return "WinIn " + std::to_string(FValue);
}
