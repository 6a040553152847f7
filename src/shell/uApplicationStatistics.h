#pragma once

#include "support/uMainTimer.h"

#include <cstdint>

class TKvIniFile;

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

// Run counters of this installation, kept in the local configuration file (section
// "Statistics"): how often and how long the program ran, and its file traffic. Loaded at
// creation; at destruction this run is added to the counts stored then (under a lock on the
// file, so that instances running at the same time all count) and an outdated copy of the
// section is removed from the main configuration file.
class TApplicationStatistics final {
public:
    // Either file may be missing (a read-only home); the counters then start from zero and are
    // not stored.
    TApplicationStatistics(TKvIniFile* ALocalIniFile, TKvIniFile* AMainIniFile);
    ~TApplicationStatistics();
    TApplicationStatistics(const TApplicationStatistics&) = delete;
    TApplicationStatistics& operator=(const TApplicationStatistics&) = delete;

    std::uint64_t RunCount() const { return FSection.Count; }
    bool          RunFirstTime() const { return FRunFirstTime; }
    // This run so far.
    TTimeSpan ElapsedTime() const;
    // All earlier runs.
    TTimeSpan TotalElapsedTime() const { return FTotalElapsedTime; }
    // What is stored at the end: totals including this run.
    TRunStatistics FinalRunStatistics() const;
    TFileCounters  FinalFileCounters() const;

    static constexpr const char* SectionName = "Statistics";

private:
    void StoreThisRun(TKvIniFile& AIni);

    TKvIniFile*    FLocalIniFile; // not owned
    TFileCounters  FStoredFiles;  // the file counters stored when this run started
    TKvIniFile*    FMainIniFile;  // not owned
    TRunStatistics FSection;
    bool           FRunFirstTime = false;
    std::int64_t   FStartTime = 0;
    TTimeSpan      FTotalElapsedTime;
};
