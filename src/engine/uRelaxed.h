#pragma once

#include <atomic>

// A word shared by the search, the command thread and the one-second timer. Each access is one
// relaxed atomic load or store: a reader may see a slightly older value, never a torn one, and
// nothing on the search path waits for a lock.
template <class T> class TRelaxed {
public:
    constexpr TRelaxed(T AValue = T()) : FValue(AValue) {}
    TRelaxed(const TRelaxed&) = delete;
    TRelaxed& operator=(const TRelaxed&) = delete;

    T         Get() const { return FValue.load(std::memory_order_relaxed); }
    void      Set(T AValue) { FValue.store(AValue, std::memory_order_relaxed); }
              operator T() const { return Get(); }
    TRelaxed& operator=(T AValue) {
        Set(AValue);
        return *this;
    }

private:
    std::atomic<T> FValue;
    static_assert(std::atomic<T>::is_always_lock_free);
};
