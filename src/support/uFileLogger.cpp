#include "support/uFileLogger.h"

#include "platform/uPlatformFiles.h"
#include "support/uCommonOutputFormat.h"
#include "support/uEscapedText.h"
#include "support/uExceptions.h"
#include "support/uMainTimer.h"
#include "support/uProjectInfo.h"

#include <cstdlib>

namespace {

struct TClockBase {
    std::int64_t WallSeconds = 0;
    std::int64_t WallNanoseconds = 0;
    std::int64_t TimerValue = 0;
};

// Taken when the first date-time logger is created.
const TClockBase& ClockBase() {
    static const TClockBase base = [] {
        TClockBase result;
        WallClockNow(result.WallSeconds, result.WallNanoseconds);
        result.TimerValue = MainTimer().GetValue();
        return result;
    }();
    return base;
}

std::string Pad(int AValue, int AWidth) {
    std::string text = std::to_string(AValue);
    if (static_cast<int>(text.size()) < AWidth)
        text.insert(0, static_cast<std::size_t>(AWidth) - text.size(), '0');
    return text;
}

std::string DateTimeText(std::int64_t ASeconds, char ATimeSeparator) {
    const TLocalDateTime parts = LocalDateTime(ASeconds);
    return TCommonOutputFormat::DateToS(parts.Year, parts.Month, parts.Day) + " " +
           Pad(parts.Hour, 2) + ATimeSeparator + Pad(parts.Minute, 2) + ATimeSeparator +
           Pad(parts.Second, 2);
}

void SplitExtension(const std::string& AFileName, std::string& ABase, std::string& AExtension) {
    const std::size_t slash = AFileName.rfind('/');
    const std::size_t dot = AFileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        ABase = AFileName;
        AExtension.clear();
    } else {
        ABase = AFileName.substr(0, dot);
        AExtension = AFileName.substr(dot);
    }
}

} // namespace

TDateTimeLogger::TDateTimeLogger() {
    ClockBase();
}

TLogTime TDateTimeLogger::Now() {
    const TClockBase&  base = ClockBase();
    const std::int64_t elapsed = MainTimer().GetValue() - base.TimerValue;
    const std::int64_t frequency = MainTimer().Frequency();
    std::int64_t       nanoseconds =
        base.WallNanoseconds + (elapsed % frequency) * (1000000000 / frequency);
    std::int64_t seconds = base.WallSeconds + elapsed / frequency + nanoseconds / 1000000000;
    nanoseconds %= 1000000000;
    return {seconds, nanoseconds};
}

void TDateTimeLogger::Add(std::string_view ALine, TMessageLevel AMessageLevel) {
    Add(ALine, AMessageLevel, Now());
}

TFileLogger::TFileLogger(const std::string& AFileName) {
    SetFileName(AFileName);
}

TFileLogger::~TFileLogger() {
    Flush();
}

void TFileLogger::SetFileName(const std::string& AFileName) {
    // A link planted in our folder would make us append to whatever it points to.
    if (IsSymbolicLink(AFileName))
        throw EFileNotFoundException("Logger file \"" + AFileName +
                                     "\" is a symbolic link; it is not used");
    std::string base;
    std::string extension;
    SplitExtension(AFileName, base, extension);
    for (int attempt = 0; attempt <= 15; ++attempt) {
        const std::string name =
            attempt == 0 ? AFileName : base + "-" + std::to_string(attempt) + extension;
        auto file = std::make_unique<TLockedAppendFile>();
        if (file->Open(name)) {
            FFileName = name;
            FFile = std::move(file);
            FOpened = false;
            return;
        }
    }
    throw EFileNotFoundException("Can not create logger file \"" + AFileName + "\"");
}

std::string TFileLogger::ArchiveName(const std::string& AFileName, std::int64_t ALastWriteTime) {
    std::string base;
    std::string extension;
    SplitExtension(AFileName, base, extension);
    return base + " (" + DateTimeText(ALastWriteTime, '-') + ")" + extension;
}

void TFileLogger::OpenFile() {
    FOpened = true;
    if (!FFile || !FFile->IsOpen())
        return;
    if (FFile->Size() >= std::min(FMinLogFileSize, FMaxLogFileSize)) {
        // Archive the old file and start a new one under the same name; when an archive of that
        // name exists already, the old file stays and grows.
        if (RenameFileNoReplace(FFileName, ArchiveName(FFileName, FFile->LastWriteTime()))) {
            auto file = std::make_unique<TLockedAppendFile>();
            if (!file->Open(FFileName)) {
                FFile.reset();
                return;
            }
            FFile = std::move(file);
        }
    }
    if (FFile->Size() == 0)
        FFile->Append("\xEF\xBB\xBF;Local Date Time\tType\tMessage\r\n");
}

std::string TFileLogger::FormatLine(std::string_view ALine, TMessageLevel AMessageLevel,
                                    const TLogTime& ATime) {
    std::string fraction = std::to_string(ATime.Nanoseconds);
    fraction.insert(0, 9 - std::min<std::size_t>(9, fraction.size()), '0');
    std::string text = DateTimeText(ATime.Seconds, ':') + "." + fraction;
    text += '\t';
    text += MessageLevelNames[AMessageLevel][0];
    text += '\t';
    text += EscapeText(ALine);
    text += "\r\n";
    return text;
}

void TFileLogger::WriteData(std::string_view AData) {
    if (!FFile || !FFile->IsOpen() || FFile->Size() + AData.size() > FMaxLogFileSize) {
        // Too large (or gone): nothing more is logged in this run.
        if (FFile)
            FFile->Close();
        SetLoggingLevel(mlNone);
        return;
    }
    FFile->Append(AData);
}

void TFileLogger::Add(std::string_view ALine, TMessageLevel AMessageLevel, const TLogTime& ATime) {
    if (!Accepts(AMessageLevel))
        return;
    const std::string line = FormatLine(ALine, AMessageLevel, ATime);
    std::scoped_lock  lock(FCriticalSection);
    if (!Accepts(AMessageLevel))
        return;
    if (!FOpened)
        OpenFile();
    if (FDirectWrite) {
        WriteData(line);
    } else if (FData.size() + line.size() <= FMaxLogFileSize) {
        FData += line;
    }
}

void TFileLogger::Flush() {
    std::scoped_lock lock(FCriticalSection);
    if (!FData.empty()) {
        if (!FOpened)
            OpenFile();
        WriteData(FData);
        FData.clear();
    }
}

TMainLogDecorator::TMainLogDecorator(const std::string& AFileName) : TFileLogger(AFileName) {
    const char* level = std::getenv("LoggingLevel");
    if (level != nullptr && *level != 0)
        SetLoggingLevel(LoggingLevelFromText(level));
    Log(mlInformation, "Started Version " + ProjectInfo(piProductVersion));
    if (Accepts(mlDebug))
        Log(mlDebug, "Operating System Version: " + OperatingSystemVersion());
}

TMainLogDecorator::~TMainLogDecorator() {
    Log(mlInformation, "Finished");
}
