#pragma once

#include "support/uMessageLevel.h"

#include <atomic>
#include <exception>
#include <string>
#include <string_view>

// Base of the loggers. Any thread may log; the level test is one relaxed load, made before any
// formatting, so a disabled level costs nothing.
class TLogger {
public:
    virtual ~TLogger() = default;
    virtual void Add(std::string_view ALine, TMessageLevel AMessageLevel) = 0;

    TMessageLevel LoggingLevel() const { return FLoggingLevel.load(std::memory_order_relaxed); }
    void          SetLoggingLevel(TMessageLevel ALevel) {
                 FLoggingLevel.store(ALevel, std::memory_order_relaxed);
    }
    // By name ("Debug", "information" ...); an unknown name selects mlDebug.
    void SetLoggingLevel(std::string_view AName);

    bool Accepts(TMessageLevel AMessageLevel) const {
        return AMessageLevel != mlNone && AMessageLevel >= LoggingLevel();
    }
    void LogEnter(std::string_view AName) { Log(mlDebug, ">" + std::string(AName)); }
    void LogLeave(std::string_view AName) { Log(mlDebug, "<" + std::string(AName)); }
    void LogException(const std::exception& AException);
    void Log(TMessageLevel AMessageLevel, std::string_view ALine) {
        if (Accepts(AMessageLevel))
            Add(ALine, AMessageLevel);
    }

private:
    std::atomic<TMessageLevel> FLoggingLevel{mlInformation};
};

// The level named by a "LoggingLevel" setting: "0..." is mlNone, a level name (first letter
// upper case, the rest lower) is that level, anything else is mlDebug.
TMessageLevel LoggingLevelFromText(std::string_view AText);

// The process-wide main log, or null while there is none.
TLogger* MainLog();
void     SetMainLog(TLogger* ALogger);
// True when the main log exists and accepts the level.
bool IsLoggerFor(TMessageLevel AMessageLevel);
