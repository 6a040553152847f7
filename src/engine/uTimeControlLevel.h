#pragma once

#include "support/uMainTimer.h"

#include <cstdint>
#include <string>

class TAnalysisInfo;

// How a move-time or nodes level reads its value.
enum TLevelValueType : std::uint8_t { lvtMinimal, lvtEqual, lvlAverage, lvtMaximal };

// A search limit. The stop manager asks it at fixed check points of the search; it answers from
// the engine's analysis information, which it reads but does not own. Levels are only read
// while a search runs and are replaced or freed only between searches. Without analysis
// information a level never stops a search.
class TCustomLevel {
public:
    TCustomLevel() = default;
    virtual ~TCustomLevel() = default;
    TCustomLevel(const TCustomLevel&) = delete;
    TCustomLevel& operator=(const TCustomLevel&) = delete;

    // At node check points.
    virtual bool GetStopNode() { return false; }
    // After a root move is finished.
    virtual bool GetStopMove() { return false; }
    // After a new analysis line.
    virtual bool GetStopAnalysis() { return false; }
    // After a depth is finished.
    virtual bool GetStopDepth() { return false; }
    // The description shown to the front end.
    virtual std::string GetAsString() const = 0;

    TAnalysisInfo* AnalysisInfo() const { return FAnalysisInfo; }
    void           SetAnalysisInfo(TAnalysisInfo* AValue) { FAnalysisInfo = AValue; }

protected:
    TAnalysisInfo* FAnalysisInfo = nullptr; // not owned
};

// Minimal, average and maximal thinking time. A fixed move time disables the depth and move
// tests and stops at the average time; the minimal time always lets the search run that long.
class TTimeLevel : public TCustomLevel {
public:
    bool GetStopNode() override;
    bool GetStopMove() override;
    bool GetStopDepth() override;
    // "Time Limits: Min: x | Avg: y | Max: z"
    std::string GetAsString() const override;

    bool      FixedMoveTime() const { return FFixedMoveTime; }
    void      SetFixedMoveTime(bool AValue) { FFixedMoveTime = AValue; }
    TTimeSpan AverageTime() const { return FAverageTime; }
    void      SetAverageTime(TTimeSpan AValue) { FAverageTime = AValue; }
    TTimeSpan MaximalTime() const { return FMaximalTime; }
    void      SetMaximalTime(TTimeSpan AValue) { FMaximalTime = AValue; }
    TTimeSpan MinimalTime() const { return FMinimalTime; }
    void      SetMinimalTime(TTimeSpan AValue) { FMinimalTime = AValue; }

protected:
    bool      FFixedMoveTime = false;
    TTimeSpan FAverageTime;
    TTimeSpan FMaximalTime;
    TTimeSpan FMinimalTime;
};

// A clock time control: time left, increment per move, remaining moves. SetMoveIndex spreads
// the time left over the remaining moves.
class TTimeControlLevel final : public TTimeLevel {
public:
    // "Time Control: Total Time: t, Move Increment: i, Free Time: f, Remain Moves: n"
    std::string GetAsString() const override;

    // Computes the average and maximal times for the move with this index.
    void         SetMoveIndex(std::int32_t AValue);
    std::int32_t MoveIndex() const { return FMoveIndex; }
    // The time left on the clock; shown as the total time. Front ends do send clocks below
    // zero after a lag; they count as no time left.
    TTimeSpan IncrementTime() const { return FIncrementTime; }
    void      SetIncrementTime(TTimeSpan AValue) { FIncrementTime = AValue.NonNegative(); }
    TTimeSpan MoveIncrementTime() const { return FMoveIncrementTime; }
    void      SetMoveIncrementTime(TTimeSpan AValue) { FMoveIncrementTime = AValue.NonNegative(); }
    // Shown only (the byoyomi of shogi clocks).
    TTimeSpan FreeTime() const { return FFreeTime; }
    void      SetFreeTime(TTimeSpan AValue) { FFreeTime = AValue.NonNegative(); }
    // Moves left in the time control; 0 means not given.
    std::int32_t MoveCount() const { return FMoveCount; }
    void         SetMoveCount(std::int32_t AValue) { FMoveCount = AValue; }
    // Percent of the normal time to use.
    std::int32_t TimeUsage() const { return FTimeUsage; }
    void         SetTimeUsage(std::int32_t AValue) { FTimeUsage = AValue; }
    TTimeSpan    MaximalMoveOverhead() const { return FMaximalMoveOverhead; }
    void         SetMaximalMoveOverhead(TTimeSpan AValue) { FMaximalMoveOverhead = AValue; }

private:
    std::int32_t FMoveIndex = 0;
    TTimeSpan    FMoveIncrementTime;
    TTimeSpan    FFreeTime;
    TTimeSpan    FIncrementTime;
    std::int32_t FMoveCount = 0;
    std::int32_t FTimeUsage = 100;
    TTimeSpan    FMaximalMoveOverhead;
};

// A time per move.
class TMoveTimeLevel final : public TTimeLevel {
public:
    bool GetStopNode() override;
    bool GetStopMove() override;
    bool GetStopDepth() override;
    // "Move Time: s"
    std::string GetAsString() const override;

    TLevelValueType ValueType() const { return FValueType; }
    void            SetValueType(TLevelValueType AValue) { FValueType = AValue; }
    TTimeSpan       Value() const { return FValue; }
    void            SetValue(TTimeSpan AValue) { FValue = AValue; }

private:
    TLevelValueType FValueType = lvtEqual;
    TTimeSpan       FValue;
};

// A node budget.
class TNodesLevel final : public TCustomLevel {
public:
    bool GetStopNode() override;
    bool GetStopDepth() override;
    // "Nodes n"
    std::string GetAsString() const override;

    TLevelValueType ValueType() const { return FValueType; }
    void            SetValueType(TLevelValueType AValue) { FValueType = AValue; }
    std::uint64_t   Value() const { return FValue; }
    void            SetValue(std::uint64_t AValue) { FValue = AValue; }

private:
    TLevelValueType FValueType = lvtEqual;
    std::uint64_t   FValue = 0;
};

// A depth limit in plies.
class TMaximalDepthLevel final : public TCustomLevel {
public:
    bool GetStopDepth() override;
    // "Maximal Depth: n"
    std::string GetAsString() const override;

    std::int32_t Value() const { return FValue; }
    void         SetValue(std::int32_t AValue) { FValue = AValue; }

private:
    std::int32_t FValue = 0;
};

// A mate search; the value is in plies (a mate in N moves is 2N).
class TWinInLevel final : public TCustomLevel {
public:
    bool GetStopDepth() override;
    // "WinIn n"
    std::string GetAsString() const override;

    std::int32_t Value() const { return FValue; }
    void         SetValue(std::int32_t AValue) { FValue = AValue; }

private:
    std::int32_t FValue = 0;
};

// Never stops.
class TInfiniteLevel final : public TCustomLevel {
public:
    std::string GetAsString() const override { return "Infinite"; }
};
