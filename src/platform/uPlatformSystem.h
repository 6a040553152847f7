#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Queries about the machine and the process, for the diagnostic commands and the memory limits.

struct TMemoryFigures {
    std::uint64_t PhysicalTotal = 0;
    std::uint64_t PhysicalUsed = 0;
    std::uint64_t CommitTotal = 0;
    std::uint64_t CommitUsed = 0;
    std::uint64_t Available = 0; // what the kernel can give us without swapping
};

std::string   ComputerName();
std::string   OperatingSystemId();
std::uint64_t SystemUptimeMs();
std::string   ProcessorName();
int           LogicalProcessorCount();
// Busy fraction (0..1) of all processors since the previous call (since boot on the first).
double         ProcessorUsage();
std::uint64_t  ProcessorFrequencyHz();
TMemoryFigures ReadMemoryFigures();
std::uint64_t  ProcessPrivateBytes();
// The largest single block this process can expect to allocate and touch: available physical
// memory bounded by the process's resource and control-group limits.
std::uint64_t LargestAllocatableBlock();
bool          DebuggerPresent();

std::string ExecutablePath();
std::string CurrentDirectory();

// Opens a file with the desktop's default viewer, detached, with no access to our streams.
// Returns an empty text on success, else why it could not be started.
std::string OpenWithDefaultApplication(const std::string& AFileName);

// Replaces the process image with the program itself and the given arguments (argv[0] first).
// Returns only when that failed; then the caller may start a detached copy instead.
bool ExecuteSelf(const std::vector<std::string>& AArguments, const std::string& ADirectory);
bool SpawnSelfDetached(const std::vector<std::string>& AArguments, const std::string& ADirectory);

// Best effort; names longer than 15 characters are cut.
void SetCurrentThreadName(const std::string& AName);
