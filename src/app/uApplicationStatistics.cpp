#include "app/uApplicationStatistics.h"

#include "support/uFileStatistics.h"
#include "support/uKvIniFile.h"
#include "support/uProjectInfo.h"

TApplicationStatistics::TApplicationStatistics(TKvIniFile* ALocalIniFile, TKvIniFile* AMainIniFile)
    : FLocalIniFile(ALocalIniFile), FMainIniFile(AMainIniFile),
      FStartTime(MainTimer().StartValue()) {
    TFileCounters stored;
    if (FLocalIniFile != nullptr) {
        TKvIniFile& ini = *FLocalIniFile;
        FSection.Count = ini.ReadNumU(SectionName, "RunCount", 0);
        FSection.TotalElapsedTimeInMs = ini.ReadNumU(SectionName, "RunTime", 0);
        stored.ReadCount = ini.ReadNumU(SectionName, "ReadCount", 0);
        stored.ReadBytes = ini.ReadNumU(SectionName, "ReadBytes", 0);
        stored.WriteCount = ini.ReadNumU(SectionName, "WriteCount", 0);
        stored.WriteBytes = ini.ReadNumU(SectionName, "WriteBytes", 0);
    }
    // File traffic of this run adds to the stored totals.
    TFileStatistics& files = FileStatistics();
    files.ReadCount.fetch_add(stored.ReadCount, std::memory_order_relaxed);
    files.ReadBytes.fetch_add(stored.ReadBytes, std::memory_order_relaxed);
    files.WriteCount.fetch_add(stored.WriteCount, std::memory_order_relaxed);
    files.WriteBytes.fetch_add(stored.WriteBytes, std::memory_order_relaxed);
    FTotalElapsedTime =
        TTimeSpan::FromMilliseconds(static_cast<std::int64_t>(FSection.TotalElapsedTimeInMs));
    ++FSection.Count;
    FRunFirstTime = FSection.Count == 1;
}

TApplicationStatistics::~TApplicationStatistics() {
    if (FLocalIniFile != nullptr) {
        const TRunStatistics run = FinalRunStatistics();
        const TFileCounters  files = FinalFileCounters();
        TKvIniFile&          ini = *FLocalIniFile;
        ini.WriteString(SectionName, "Version", ProjectInfo(piProductVersion));
        ini.WriteNumU(SectionName, "RunCount", run.Count);
        ini.WriteNumU(SectionName, "RunTime", run.TotalElapsedTimeInMs);
        ini.WriteNumU(SectionName, "ReadCount", files.ReadCount);
        ini.WriteNumU(SectionName, "ReadBytes", files.ReadBytes);
        ini.WriteNumU(SectionName, "WriteCount", files.WriteCount);
        ini.WriteNumU(SectionName, "WriteBytes", files.WriteBytes);
    }
    if (FMainIniFile != nullptr && FMainIniFile->SectionExists(SectionName)) {
        FMainIniFile->DeleteSection(SectionName);
        FMainIniFile->Save();
    }
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
