#include "platform/uPlatformInput.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

TStandardInputReader::TStandardInputReader() {
    if (pipe2(FWakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        FWakePipe[0] = FWakePipe[1] = -1;
}

TStandardInputReader::~TStandardInputReader() {
    for (const int fd : FWakePipe)
        if (fd >= 0)
            close(fd);
}

void TStandardInputReader::Wake() {
    if (FWakePipe[1] >= 0) {
        const char                  byte = 1;
        [[maybe_unused]] const auto written = write(FWakePipe[1], &byte, 1);
    }
}

TReadResult TStandardInputReader::ReadLine(std::string& ALine) {
    while (true) {
        const std::size_t eol = FBuffer.find('\n', FScanned);
        if (eol != std::string::npos) {
            ALine.assign(FBuffer, 0, std::min(eol, MaximalLineLength));
            FBuffer.erase(0, eol + 1);
            FScanned = 0;
            return rrLine;
        }
        FScanned = FBuffer.size();
        if (FScanned > MaximalLineLength) {
            FBuffer.resize(MaximalLineLength);
            FScanned = MaximalLineLength;
        }
        if (FEndOfInput) {
            if (!FBuffer.empty()) {
                ALine = std::move(FBuffer);
                FBuffer.clear();
                FScanned = 0;
                return rrLine;
            }
            return rrEndOfInput;
        }
        pollfd    fds[2] = {{0, POLLIN, 0}, {FWakePipe[0], POLLIN, 0}};
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
            const ssize_t got = read(0, chunk, sizeof chunk);
            if (got > 0)
                FBuffer.append(chunk, static_cast<std::size_t>(got));
            else if (got == 0 || (errno != EINTR && errno != EAGAIN))
                FEndOfInput = true;
        }
    }
}
