#include "support/uLogger.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

namespace {
std::atomic<TLogger*> GMainLog{nullptr};
} // namespace

TMessageLevel LoggingLevelFromText(std::string_view AText) {
    if (!AText.empty() && AText[0] == '0')
        return mlNone;
    std::string normalized;
    if (AText.size() > 1) {
        normalized = LowerCase(AText);
        normalized[0] = UpperChar(normalized[0]);
    }
    for (std::size_t i = 0; i < MessageLevelNames.size(); ++i)
        if (MessageLevelNames[i] == normalized)
            return static_cast<TMessageLevel>(i);
    return mlDebug;
}

void TLogger::SetLoggingLevel(std::string_view AName) {
    SetLoggingLevel(LoggingLevelFromText(AName));
}

void TLogger::LogException(const std::exception& AException) {
    const auto* own = dynamic_cast<const Exception*>(&AException);
    Log(mlFatalError, std::string(AException.what()) + " (" +
                          (own != nullptr ? own->ClassName() : "std::exception") + ")");
}

TLogger* MainLog() {
    return GMainLog.load(std::memory_order_acquire);
}
void SetMainLog(TLogger* ALogger) {
    GMainLog.store(ALogger, std::memory_order_release);
}

bool IsLoggerFor(TMessageLevel AMessageLevel) {
    const TLogger* log = MainLog();
    return log != nullptr && log->Accepts(AMessageLevel);
}
