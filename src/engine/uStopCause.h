#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Why a search stopped. The stop manager writes it; the search polls it.
enum TStopCause : std::uint8_t {
    scNone,
    scUserAbort,
    scNoChoise,
    scNoIncrement,
    scWinScore,
    scLoseScore,
    scLevelOnNode,
    scLevelOnMove,
    scLevelOnAnalysis,
    scLevelOnDepth
};

inline constexpr std::array<std::string_view, 10> StopCauseNames = {
    "scNone",      "scUserAbort",   "scNoChoise",    "scNoIncrement",     "scWinScore",
    "scLoseScore", "scLevelOnNode", "scLevelOnMove", "scLevelOnAnalysis", "scLevelOnDepth"};
static_assert(StopCauseNames.size() == scLevelOnDepth + 1);

// The words shown after "Stop Cause: " ("User Abort"); built once.
std::string_view StopCauseText(TStopCause ACause);
