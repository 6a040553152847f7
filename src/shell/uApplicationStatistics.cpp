#include "shell/uApplicationStatistics.h"

#include "platform/uFileStatistics.h"
#include "platform/uPlatformFiles.h"
#include "support/uKvIniFile.h"
#include "support/uProjectInfo.h"

#include <algorithm>

namespace {

std::uint64_t SaturatedSum(std::uint64_t A, std::uint64_t B) {
    return A > UINT64_MAX - B ? UINT64_MAX : A + B;
}
std::uint64_t SaturatedDifference(std::uint64_t A, std::uint64_t B) {
    return A > B ? A - B : 0;
}

} // namespace

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
    FStoredFiles = stored;
    TFileStatistics& files = FileStatistics();
    files.ReadCount.fetch_add(stored.ReadCount, std::memory_order_relaxed);
    files.ReadBytes.fetch_add(stored.ReadBytes, std::memory_order_relaxed);
    files.WriteCount.fetch_add(stored.WriteCount, std::memory_order_relaxed);
    files.WriteBytes.fetch_add(stored.WriteBytes, std::memory_order_relaxed);
    FTotalElapsedTime =
        TTimeSpan::FromMilliseconds(static_cast<std::int64_t>(FSection.TotalElapsedTimeInMs));
    FSection.Count = SaturatedSum(FSection.Count, 1);
    FRunFirstTime = FSection.Count == 1;
}

TApplicationStatistics::~TApplicationStatistics() {
    if (FLocalIniFile != nullptr)
        StoreThisRun(*FLocalIniFile);
    if (FMainIniFile != nullptr && FMainIniFile->SectionExists(SectionName)) {
        FMainIniFile->DeleteSection(SectionName);
        FMainIniFile->Save();
    }
}

void TApplicationStatistics::StoreThisRun(TKvIniFile& AIni) {
    // What this run adds, apart from what was stored when it started.
    const TFileCounters final = FinalFileCounters();
    const TFileCounters own = {SaturatedDifference(final.ReadCount, FStoredFiles.ReadCount),
                               SaturatedDifference(final.ReadBytes, FStoredFiles.ReadBytes),
                               SaturatedDifference(final.WriteCount, FStoredFiles.WriteCount),
                               SaturatedDifference(final.WriteBytes, FStoredFiles.WriteBytes)};
    const auto          elapsed =
        static_cast<std::uint64_t>(std::max<std::int64_t>(0, ElapsedTime().ToMilliseconds()));
    // Other instances may have stored their runs since we read the file: under the lock, the
    // counts are read again and this run is added to what is there now. Without the lock (a
    // file that cannot be locked) the counts are still added, at the risk of a lost update.
    TFileLock lock;
    lock.Lock(AIni.FileName());
    AIni.Load();
    const auto add = [&](const char* AKey, std::uint64_t AValue) {
        AIni.WriteNumU(SectionName, AKey,
                       SaturatedSum(AIni.ReadNumU(SectionName, AKey, 0), AValue));
    };
    AIni.WriteString(SectionName, "Version", ProjectInfo(piProductVersion));
    add("RunCount", 1);
    add("RunTime", elapsed);
    add("ReadCount", own.ReadCount);
    add("ReadBytes", own.ReadBytes);
    add("WriteCount", own.WriteCount);
    add("WriteBytes", own.WriteBytes);
    AIni.Save();
}

TTimeSpan TApplicationStatistics::ElapsedTime() const {
    return MainTimer().IntervalFrom(FStartTime);
}

TRunStatistics TApplicationStatistics::FinalRunStatistics() const {
    TRunStatistics result = FSection;
    result.TotalElapsedTimeInMs = SaturatedSum(
        result.TotalElapsedTimeInMs,
        static_cast<std::uint64_t>(std::max<std::int64_t>(0, ElapsedTime().ToMilliseconds())));
    return result;
}

TFileCounters TApplicationStatistics::FinalFileCounters() const {
    const TFileStatistics& files = FileStatistics();
    return {files.ReadCount.load(), files.ReadBytes.load(), files.WriteCount.load(),
            files.WriteBytes.load()};
}
