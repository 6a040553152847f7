#include "app/uApplicationStatistics.h"

#include "support/uFileStatistics.h"

TApplicationStatistics::TApplicationStatistics(const TRunStatistics& AStored,
                                               const TFileCounters& AStoredFiles)
    : FSection(AStored), FStartTime(MainTimer().StartValue()) {
    // File traffic of this run adds to the stored totals.
    TFileStatistics& files = FileStatistics();
    files.ReadCount.fetch_add(AStoredFiles.ReadCount, std::memory_order_relaxed);
    files.ReadBytes.fetch_add(AStoredFiles.ReadBytes, std::memory_order_relaxed);
    files.WriteCount.fetch_add(AStoredFiles.WriteCount, std::memory_order_relaxed);
    files.WriteBytes.fetch_add(AStoredFiles.WriteBytes, std::memory_order_relaxed);
    FTotalElapsedTime = TTimeSpan::FromMilliseconds(
        static_cast<std::int64_t>(AStored.TotalElapsedTimeInMs));
    ++FSection.Count;
    FRunFirstTime = FSection.Count == 1;
}

TTimeSpan TApplicationStatistics::ElapsedTime() const {
    return MainTimer().IntervalFrom(FStartTime);
}

TRunStatistics TApplicationStatistics::FinalRunStatistics() const {
    TRunStatistics result = FSection;
    result.TotalElapsedTimeInMs += static_cast<std::uint64_t>(ElapsedTime().ToMilliseconds());
    return result;
}

TFileCounters TApplicationStatistics::FinalFileCounters() const {
    const TFileStatistics& files = FileStatistics();
    return {files.ReadCount.load(), files.ReadBytes.load(), files.WriteCount.load(),
            files.WriteBytes.load()};
}
