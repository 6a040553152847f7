#include "perft/mpi/uMpiPerftTransport.h"

#include "support/uExceptions.h"

#include <charconv>
#include <chrono>
#include <thread>

namespace {

void Check(int AResult, const char* AWhat) {
    if (AResult != MPI_SUCCESS)
        throw Exception(std::string("MPI ") + AWhat + " failed.");
}

template <class T> void ReadNumber(std::string_view& AData, T& AValue) {
    const std::size_t      tab = AData.find('\t');
    const std::string_view field = AData.substr(0, tab);
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), AValue);
    if (error != std::errc() || end != field.data() + field.size())
        throw Exception("Malformed message between the perft processes.");
    AData.remove_prefix(tab == std::string_view::npos ? AData.size() : tab + 1);
}

} // namespace

void WaitPolitely(MPI_Request& ARequest) {
    auto pause = std::chrono::microseconds(20);
    for (;;) {
        int done = 0;
        Check(MPI_Test(&ARequest, &done, MPI_STATUS_IGNORE), "test");
        if (done != 0)
            return;
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(2))
            pause *= 2;
    }
}

void BroadcastConfig(TMpiPerftConfig& AConfig, int ARank) {
    std::string text;
    if (ARank == 0)
        text = std::to_string(AConfig.Start) + '\t' + std::to_string(AConfig.Threads) + '\t' +
               std::to_string(AConfig.HashMiB) + '\t' + AConfig.Variant;
    long long   size = static_cast<long long>(text.size());
    MPI_Request request;
    Check(MPI_Ibcast(&size, 1, MPI_LONG_LONG, 0, MPI_COMM_WORLD, &request), "broadcast");
    WaitPolitely(request);
    text.resize(static_cast<std::size_t>(size));
    Check(MPI_Ibcast(text.data(), static_cast<int>(size), MPI_CHAR, 0, MPI_COMM_WORLD, &request),
          "broadcast");
    WaitPolitely(request);
    if (ARank == 0)
        return;
    std::string_view data = text;
    int              start = 0;
    ReadNumber(data, start);
    ReadNumber(data, AConfig.Threads);
    ReadNumber(data, AConfig.HashMiB);
    AConfig.Start = static_cast<TMpiPerftStart>(start);
    AConfig.Variant = std::string(data);
}

bool TryReceive(int ASource, TMpiMessage& AMessage) {
    int        found = 0;
    MPI_Status status;
    Check(MPI_Iprobe(ASource, MPI_ANY_TAG, MPI_COMM_WORLD, &found, &status), "probe");
    if (found == 0)
        return false;
    int size = 0;
    Check(MPI_Get_count(&status, MPI_CHAR, &size), "count");
    AMessage.Source = status.MPI_SOURCE;
    AMessage.Tag = status.MPI_TAG;
    AMessage.Data.resize(static_cast<std::size_t>(size));
    Check(MPI_Recv(AMessage.Data.data(), size, MPI_CHAR, status.MPI_SOURCE, status.MPI_TAG,
                   MPI_COMM_WORLD, MPI_STATUS_IGNORE),
          "receive");
    return true;
}

TMpiMessage Receive(int ASource) {
    TMpiMessage message;
    auto        pause = std::chrono::microseconds(20);
    while (!TryReceive(ASource, message)) {
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(2))
            pause *= 2;
    }
    return message;
}

void Send(int ADestination, int ATag, std::string_view AData) {
    Check(MPI_Send(AData.data(), static_cast<int>(AData.size()), MPI_CHAR, ADestination, ATag,
                   MPI_COMM_WORLD),
          "send");
}

std::string ItemMessage(std::uint32_t AItem, std::int32_t ARemainingDepth,
                        std::string_view APosition) {
    return std::to_string(AItem) + '\t' + std::to_string(ARemainingDepth) + '\t' +
           std::string(APosition);
}

void ReadItemMessage(std::string_view AData, std::uint32_t& AItem, std::int32_t& ARemainingDepth,
                     std::string& APosition) {
    ReadNumber(AData, AItem);
    ReadNumber(AData, ARemainingDepth);
    APosition = std::string(AData);
}

std::string ResultMessage(std::uint32_t AItem, std::uint64_t ACount) {
    return std::to_string(AItem) + '\t' + std::to_string(ACount);
}

void ReadResultMessage(std::string_view AData, std::uint32_t& AItem, std::uint64_t& ACount) {
    ReadNumber(AData, AItem);
    ReadNumber(AData, ACount);
}
