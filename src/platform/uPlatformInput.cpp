#include "platform/uPlatformInput.h"

#include "platform/uFileStatistics.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

TStandardInputReader::TStandardInputReader() {
    if (pipe2(FWakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        FWakePipe[0] = FWakePipe[1] = -1;
}

TStandardInputReader::~TStandardInputReader() {
    UseStandardInput();
    for (const int fd : FWakePipe)
        if (fd >= 0)
            close(fd);
}

void TStandardInputReader::Reset() {
    FBuffer.clear();
    FBuffer.shrink_to_fit();
    FStart = 0;
    FScanned = 0;
    FEndOfInput = false;
    FDiscarding = false;
}

std::string TStandardInputReader::OpenFile(const std::string& AFileName) {
    UseStandardInput();
    if (AFileName.empty())
        return "no file name given";
    // Non-blocking, so that opening a FIFO does not wait for its writer; reads go through poll.
    const int handle = open(AFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle < 0)
        return std::strerror(errno);
    struct stat info {};
    if (fstat(handle, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        close(handle);
        return std::strerror(error);
    }
    FFile = handle;
    Reset();
    return {};
}

void TStandardInputReader::UseStandardInput() {
    if (FFile >= 0) {
        close(FFile);
        FFile = -1;
    }
    Reset();
}

void TStandardInputReader::Wake() {
    if (FWakePipe[1] >= 0) {
        const char                  byte = 1;
        [[maybe_unused]] const auto written = write(FWakePipe[1], &byte, 1);
    }
}

TReadResult TStandardInputReader::ReadLine(std::string& ALine) {
    while (true) {
        // Lines are taken from FStart on; the consumed front is dropped only before the next
        // read, so a chunk of many short lines costs one move, not one per line.
        const std::size_t eol = FBuffer.find('\n', std::max(FStart, FScanned));
        if (eol != std::string::npos) {
            const bool cut = FDiscarding;
            FDiscarding = false;
            if (!cut)
                ALine.assign(FBuffer, FStart, std::min(eol - FStart, MaximalLineLength));
            FStart = eol + 1;
            FScanned = FStart;
            if (!cut)
                return rrLine;
            continue;
        }
        if (FDiscarding) {
            // The rest of a cut line, up to its LF, is dropped as it arrives.
            FBuffer.clear();
            FStart = 0;
        }
        FBuffer.erase(0, FStart);
        FStart = 0;
        FScanned = FBuffer.size();
        if (FScanned >= MaximalLineLength && !FDiscarding) {
            // The cut line goes out now rather than at its LF: the buffer never grows beyond
            // the limit and one read.
            ALine.assign(FBuffer, 0, MaximalLineLength);
            FBuffer.erase(0, MaximalLineLength);
            FBuffer.shrink_to_fit();
            FScanned = 0;
            FDiscarding = true;
            return rrLine;
        }
        if (FEndOfInput) {
            FDiscarding = false;
            if (!FBuffer.empty()) {
                ALine = std::move(FBuffer);
                FBuffer.clear();
                FScanned = 0;
                return rrLine;
            }
            return rrEndOfInput;
        }
        pollfd    fds[2] = {{Source(), POLLIN, 0}, {FWakePipe[0], POLLIN, 0}};
        const int count = FWakePipe[0] >= 0 ? 2 : 1;
        const int ready = poll(fds, count, -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            FEndOfInput = true;
            continue;
        }
        if (count == 2 && (fds[1].revents & POLLIN) != 0) {
            char drain[64];
            while (read(FWakePipe[0], drain, sizeof drain) > 0) {
            }
            return rrWoken;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0) {
            char          chunk[65536];
            const ssize_t got = read(Source(), chunk, sizeof chunk);
            if (got > 0) {
                if (FBuffer.capacity() == 0)
                    FBuffer.reserve(sizeof chunk);
                FBuffer.append(chunk, static_cast<std::size_t>(got));
                if (FFile >= 0)
                    FileStatistics().CountRead(static_cast<std::uint64_t>(got));
            } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
                FEndOfInput = true;
            }
        }
    }
}
