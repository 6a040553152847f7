#pragma once

#include <atomic>
#include <cstdint>
#include <string>

enum TPowerRequestType : std::uint8_t {
    PowerRequestDisplayRequired,
    PowerRequestSystemRequired,
    PowerRequestAwayModeRequired,
    PowerRequestExecutionRequired
};

// Counts the reasons to keep the machine awake while the engine works. On this system it only
// counts and logs; it never fails.
class TCustomPowerRequest final {
public:
    void Increment();
    // Raises when there is nothing to decrement.
    void               Decrement();
    int                Count() const { return FCount.load(std::memory_order_relaxed); }
    const std::string& Title() const { return FTitle; }
    void               SetTitle(std::string ATitle) { FTitle = std::move(ATitle); }
    TPowerRequestType  RequestType() const { return FRequestType; }
    void               SetRequestType(TPowerRequestType AType) { FRequestType = AType; }

private:
    std::string       FTitle = "?";
    TPowerRequestType FRequestType = PowerRequestExecutionRequired;
    std::atomic<int>  FCount{0};
};
