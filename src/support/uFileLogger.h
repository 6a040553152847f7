#pragma once

#include "support/uLogger.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

class TLockedAppendFile;

// A moment as the log shows it: local wall-clock time at the first logger's creation plus the
// monotonic time since, so later changes of the system clock do not disturb the order.
struct TLogTime {
    std::int64_t Seconds = 0;     // since the epoch
    std::int64_t Nanoseconds = 0; // 0 .. 999999999
};

class TDateTimeLogger : public TLogger {
public:
    TDateTimeLogger();
    void            Add(std::string_view ALine, TMessageLevel AMessageLevel) override;
    virtual void    Add(std::string_view ALine, TMessageLevel AMessageLevel,
                        const TLogTime& ATime) = 0;
    static TLogTime Now();
};

// A log file: one line per message ("date time<TAB>level letter<TAB>escaped message"), written
// under a lock from any thread. Another running instance holding the file makes it fall back to
// "-1" ... "-15"; a file of 4 MiB or more is archived when it is opened; at 16 MiB logging stops
// for the rest of the run. Never raises from Add.
class TFileLogger : public TDateTimeLogger {
public:
    // Raises "Can not create logger file "name"" when no usable name exists.
    explicit TFileLogger(const std::string& AFileName);
    ~TFileLogger() override;

    using TDateTimeLogger::Add;
    void Add(std::string_view ALine, TMessageLevel AMessageLevel, const TLogTime& ATime) override;
    void Flush();

    const std::string& FileName() const { return FFileName; }
    std::uint64_t      MinLogFileSize() const { return FMinLogFileSize; }
    std::uint64_t      MaxLogFileSize() const { return FMaxLogFileSize; }
    void               SetMinLogFileSize(std::uint64_t AValue) { FMinLogFileSize = AValue; }
    void               SetMaxLogFileSize(std::uint64_t AValue) { FMaxLogFileSize = AValue; }
    void               SetDirectWrite(bool AValue) { FDirectWrite = AValue; }

    // "2026-12-10 04:15:00.123456789<TAB>I<TAB>text<CR><LF>".
    static std::string FormatLine(std::string_view ALine, TMessageLevel AMessageLevel,
                                  const TLogTime& ATime);
    // "name (2026-12-10 04-15-00).log" for a file last written at that moment.
    static std::string ArchiveName(const std::string& AFileName, std::int64_t ALastWriteTime);

private:
    void SetFileName(const std::string& AFileName);
    void OpenFile();
    void WriteData(std::string_view AData);

    std::mutex                         FCriticalSection;
    std::string                        FData;
    std::string                        FFileName;
    std::unique_ptr<TLockedAppendFile> FFile;
    bool                               FOpened = false;
    bool                               FDirectWrite = true;
    std::uint64_t                      FMinLogFileSize = 4194304;
    std::uint64_t                      FMaxLogFileSize = 16777216;
};

// The main log: writes "Started Version ..." when created and "Finished" before it goes. Its
// level comes from the environment variable "LoggingLevel".
class TMainLogDecorator final : public TFileLogger {
public:
    explicit TMainLogDecorator(const std::string& AFileName);
    ~TMainLogDecorator() override;
};
