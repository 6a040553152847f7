#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The command line of the distributed perft program.
struct TDistributedPerftOptions {
    std::string  Variant;
    std::string  Position; // empty: the variant's start position
    std::int32_t Depth = 0;
    std::int32_t Threads = 1;
    std::int64_t HashMiB = 128;
    std::int32_t Split = 0; // 0: the default for the depth
    std::string  Journal;   // empty: none
    bool         Divide = false;
    double       ProgressSeconds = 10; // 0: no progress lines
    bool         Help = false;
};

// Reads the arguments after the program name. Raises EArgumentException with a message for the
// user on an unknown option, a missing or malformed value, a missing variant, position or
// depth, and values out of range. The variant and the position are checked by their reader,
// later. With --help nothing else is required.
TDistributedPerftOptions ReadDistributedPerftOptions(const std::vector<std::string>& AArguments);

// The usage text, one option a line.
std::string DistributedPerftUsage();
