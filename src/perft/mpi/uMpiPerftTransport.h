#pragma once

#include <cstdint>
#include <mpi.h>
#include <string>
#include <string_view>

// The messages between the coordinating process (rank 0) and the counting processes.
enum TMpiPerftTag : int {
    ptItem = 1,    // 0 -> worker: item index, remaining depth and position string
    ptStop = 2,    // 0 -> worker: no more items after those sent
    ptResult = 3,  // worker -> 0: item index and its count
    ptFailure = 4, // worker -> 0: the failure that ended the worker
};

// The run's set-up that rank 0 sends every process once it has read the command line.
enum TMpiPerftStart : int { psRun, psFailed, psHelp };
struct TMpiPerftConfig {
    TMpiPerftStart Start = psFailed;
    std::string    Variant;
    std::int32_t   Threads = 1;
    std::int64_t   HashMiB = 0;
};

// Rank 0 gives the set-up, every other rank receives it.
void BroadcastConfig(TMpiPerftConfig& AConfig, int ARank);

// Waits for a request without spinning: Open MPI's own waits poll at full speed, which would
// take a core from the counting threads of the same machine.
void WaitPolitely(MPI_Request& ARequest);

struct TMpiMessage {
    int         Source = 0;
    int         Tag = 0;
    std::string Data;
};
// The next message from ASource (MPI_ANY_SOURCE: anyone), if there is one now.
bool TryReceive(int ASource, TMpiMessage& AMessage);
// Waits politely for the next message from ASource.
TMpiMessage Receive(int ASource);
void        Send(int ADestination, int ATag, std::string_view AData);

// Item and result texts: fields separated by tabs.
std::string ItemMessage(std::uint32_t AItem, std::int32_t ARemainingDepth,
                        std::string_view APosition);
void ReadItemMessage(std::string_view AData, std::uint32_t& AItem, std::int32_t& ARemainingDepth,
                     std::string& APosition);
std::string ResultMessage(std::uint32_t AItem, std::uint64_t ACount);
void        ReadResultMessage(std::string_view AData, std::uint32_t& AItem, std::uint64_t& ACount);
