#pragma once

#include <atomic>
#include <cstdint>

// Process-wide input/output counters, kept by the program's own file classes and shown by
// the State command.
struct TFileStatistics {
    std::atomic<std::uint64_t> ReadCount{0};
    std::atomic<std::uint64_t> ReadBytes{0};
    std::atomic<std::uint64_t> WriteCount{0};
    std::atomic<std::uint64_t> WriteBytes{0};

    void CountRead(std::uint64_t ABytes) {
        ReadCount.fetch_add(1, std::memory_order_relaxed);
        ReadBytes.fetch_add(ABytes, std::memory_order_relaxed);
    }
    void CountWrite(std::uint64_t ABytes) {
        WriteCount.fetch_add(1, std::memory_order_relaxed);
        WriteBytes.fetch_add(ABytes, std::memory_order_relaxed);
    }
};

TFileStatistics& FileStatistics();
