#pragma once

#include <cstdint>

#include "support/uMainTimer.h"

// Run counters of this installation: how often and how long the program ran, and its file
// traffic. The counters of earlier runs are loaded at creation and the totals stored at the end.
struct TRunStatistics {
    std::uint64_t Count = 0;
    std::uint64_t TotalElapsedTimeInMs = 0;
};
struct TFileCounters {
    std::uint64_t ReadCount = 0;
    std::uint64_t ReadBytes = 0;
    std::uint64_t WriteCount = 0;
    std::uint64_t WriteBytes = 0;
};

class TApplicationStatistics final {
public:

    // AStored holds the counters of the earlier runs (all zero on a first run).
    explicit TApplicationStatistics(const TRunStatistics& AStored = {},
                                    const TFileCounters& AStoredFiles = {});

    std::uint64_t RunCount() const { return FSection.Count; }
    bool RunFirstTime() const { return FRunFirstTime; }
    // This run so far.
    TTimeSpan ElapsedTime() const;
    // All earlier runs.
    TTimeSpan TotalElapsedTime() const { return FTotalElapsedTime; }
    // What is to be stored at the end: totals including this run.
    TRunStatistics FinalRunStatistics() const;
    TFileCounters FinalFileCounters() const;

private:
    TRunStatistics FSection;
    bool FRunFirstTime = false;
    std::int64_t FStartTime = 0;
    TTimeSpan FTotalElapsedTime;
};
