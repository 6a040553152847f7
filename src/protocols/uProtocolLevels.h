#pragma once

#include "support/uMainTimer.h"

#include <cstdint>

class TCommonEngineOptions;
class TCustomLevel;
class TInternalEngine;
class TTimeControlLevel;

// The levels the protocol commands build for the engine: UCI's and USI's "go" and XBoard's
// "level", "st" and "sd". The commands own their levels; the engine's level manager only points
// to them.

// One side's clock as a front end gives it.
struct TClockSetting {
    // Moves until the next time control; 0 when the time is for the rest of the game.
    std::int32_t MoveCount = 0;
    // The time left for those moves.
    TTimeSpan TotalTime;
    // Added to the clock with each move.
    TTimeSpan MoveIncrement;
    // Spent before the clock runs (byoyomi).
    TTimeSpan FreeTime;
};

// Sets ALevel up for AClock at the start of the control, spending the time as the engine's
// options say (time usage, fixed move time, minimal move time, maximal move overhead), so that
// the options weigh the same in every protocol.
void SetUpTimeControlLevel(TTimeControlLevel& ALevel, TCommonEngineOptions& AOptions,
                           const TClockSetting& AClock);

// Makes ALevel the engine's own level; it reads the engine's analysis information. The
// opponent's level is left as it is.
void UseAsMyLevel(TInternalEngine& AEngine, TCustomLevel& ALevel);
// Makes the two levels the engine's; without an opponent's level the engine has none.
void UseLevels(TInternalEngine& AEngine, TCustomLevel& AMyLevel, TCustomLevel* AOpponentLevel);
