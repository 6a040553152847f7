#include "support/uPowerRequest.h"

#include "support/uExceptions.h"
#include "support/uLogger.h"

namespace {
void LogDebug(std::string_view AText) {
    if (TLogger* log = MainLog())
        log->Log(mlDebug, AText);
}
} // namespace

void TCustomPowerRequest::Increment() {
    LogDebug(">PowerRequest.Increment");
    FCount.fetch_add(1, std::memory_order_relaxed);
    LogDebug("<PowerRequest.Increment");
}

void TCustomPowerRequest::Decrement() {
    LogDebug(">PowerRequest.Decrement");
    int count = FCount.load(std::memory_order_relaxed);
    do {
        if (count == 0)
            throw EArgumentException("Can not decrement request which hasn't been incremented.");
    } while (!FCount.compare_exchange_weak(count, count - 1, std::memory_order_relaxed));
    LogDebug("<PowerRequest.Decrement");
}
