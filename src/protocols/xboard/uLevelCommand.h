#pragma once

#include "engine/uEngineCommand.h"
#include "support/uMainTimer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TTimeControlLevel;

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
