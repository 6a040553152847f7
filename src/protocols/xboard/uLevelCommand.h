#pragma once

#include "app/uCustomCommand.h"
#include "support/uMainTimer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TInfiniteLevel;
class TMoveTimeLevel;
class TTimeControlLevel;

// The time-control commands of the XBoard protocol: "level", "st", "sd", "nps", "time" and
// "otim". The levels they build belong to them for their whole life; the engine's level manager
// only points to them, and they are replaced only between searches.

// Reads "MPS BASE INC" of "level": moves per time control, the base time in minutes or in clock
// notation (2:30), the increment in seconds or in clock notation.
class TLevelCommandParser final {
public:
    // Reads all three values or raises; nothing is kept from a text that fails.
    void         Parse(std::string_view AText);
    std::int32_t MoveCount() const { return FMoveCount; }
    // The base time (the total time of the control).
    TTimeSpan IncrementTime() const { return FIncrementTime; }
    // The increment per move.
    TTimeSpan MoveIncrementTime() const { return FMoveIncrementTime; }

private:
    std::int32_t FMoveCount = 0;
    TTimeSpan    FIncrementTime;
    TTimeSpan    FMoveIncrementTime;
};

// "level MPS BASE INC": a conventional or incremental clock. A text that cannot be read leaves
// the engine's level as it was.
class TLevelCommand final : public TEngineCommand {
public:
    TLevelCommand();
    ~TLevelCommand() override;
    std::string GetSyntax() const override {
        return "[RemainMoves BaseTimeInMinutes TimeIncrementInSeconds]";
    }
    void                       Execute(std::string_view AParameters) override;
    TTimeControlLevel&         TimeControlLevel() const { return *FTimeControlLevel; }
    const TLevelCommandParser& LevelCommandParser() const { return FLevelCommandParser; }

private:
    std::unique_ptr<TTimeControlLevel> FTimeControlLevel;
    TLevelCommandParser                FLevelCommandParser;
};

// "st SECONDS": exactly this time per move.
class TStCommand final : public TEngineCommand {
public:
    TStCommand();
    ~TStCommand() override;
    std::string     GetSyntax() const override { return "[exact time per move in seconds]"; }
    void            Execute(std::string_view AParameters) override;
    TMoveTimeLevel& MoveTimeLevel() const { return *FMoveTimeLevel; }

private:
    std::unique_ptr<TMoveTimeLevel> FMoveTimeLevel;
};

// "sd DEPTH": a depth limit on top of any time control, kept for later searches until the next
// "sd" or "new". Without any level yet, the engine gets an endless one, so that it can search.
class TSdCommand final : public TEngineCommand {
public:
    TSdCommand();
    ~TSdCommand() override;
    std::string GetSyntax() const override { return "[maximal depth]"; }
    void        Execute(std::string_view AParameters) override;

private:
    std::unique_ptr<TInfiniteLevel> FInfiniteLevel;
};

// "nps RATE": a nodes-per-second limit; 0 or less switches it off.
class TNpsCommand final : public TEngineCommand {
public:
    TNpsCommand();
    std::string GetSyntax() const override { return "[NodeRate]"; }
    void        Execute(std::string_view AParameters) override;
};

// "time N" and "otim N": the engine's and the opponent's clock in centiseconds. The value
// 214748364.7 (the largest 32-bit count of tenths) stands for a clock without limit and is
// read as 15 minutes.
class TTimeCommand final : public TEngineCommand {
public:
    TTimeCommand();
    void Execute(std::string_view AParameters) override;
};

class TOTimCommand final : public TEngineCommand {
public:
    TOTimCommand();
    void Execute(std::string_view AParameters) override;
};

// The clock of "time" and "otim" from its text; raises a parse error expecting AExpected when
// the text is empty.
TTimeSpan ReadCentisecondClock(std::string_view AText, std::string_view AExpected);
