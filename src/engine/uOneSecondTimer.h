#pragma once

#include "support/uKvThreadTimer.h"

#include <mutex>

class TInternalEngine;

// Drives the once-a-second progress output while a search runs, on its own thread: the first
// tick comes one second after the search started. The engine enables it when a search starts
// and disables it when the best move is given; Disable also waits for a tick in progress, so
// that no tick runs after the search has ended.
class TOneSecondTimer final : public TKvThreadTimer {
public:
    explicit TOneSecondTimer(TInternalEngine* AInternalEngine = nullptr);
    ~TOneSecondTimer() override;

    TInternalEngine* InternalEngine() const { return FInternalEngine; }
    void             SetInternalEngine(TInternalEngine* AValue) { FInternalEngine = AValue; }
    void             Enable() { SetEnabled(true); }
    // Disables and waits until a running tick has finished.
    void Disable();

protected:
    void DoTimer() override;

private:
    TInternalEngine* FInternalEngine = nullptr; // not owned
    std::mutex       FTickLock;
};
