#include "platform/uPlatformConsole.h"

#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

std::atomic<bool>       GBroken{false};
std::atomic<int>        GFailure{0};
std::atomic<bool>       GFailureReported{false};
std::atomic<void (*)()> GFailureHandler{nullptr};

FILE* StreamFile(TStandardStream AStream) {
    return AStream == ssOutput ? stdout : stderr;
}
int StreamFd(TStandardStream AStream) {
    return AStream == ssOutput ? 1 : 2;
}

// A closed reader on either stream means the front end is gone. Other failures count only on
// standard output: an error stream that fails has nobody left to tell.
void NoteFailure(TStandardStream AStream, int AError) {
    if (AError == EPIPE) {
        GBroken = true;
    } else if (AStream == ssOutput) {
        int none = 0;
        GFailure.compare_exchange_strong(none, AError != 0 ? AError : EIO);
    } else {
        return;
    }
    if (!GFailureReported.exchange(true))
        if (void (*handler)() = GFailureHandler.load())
            handler();
}

} // namespace

void ReserveStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open returns the lowest free descriptor: the closed one.
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

bool StreamIsTerminal(TStandardStream AStream) {
    return isatty(StreamFd(AStream)) == 1;
}

bool StreamAcceptsColors(TStandardStream AStream) {
    if (!StreamIsTerminal(AStream))
        return false;
    if (std::getenv("NO_COLOR") != nullptr)
        return false;
    const char* term = std::getenv("TERM");
    return !(term != nullptr && std::strcmp(term, "dumb") == 0);
}

bool TerminalSize(int& AColumns, int& ARows) {
    winsize size{};
    if (!StreamIsTerminal(ssOutput) || ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return false;
    AColumns = size.ws_col;
    ARows = size.ws_row;
    return true;
}

bool LocaleIsUtf8() {
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == 0)
            continue;
        // "C" and "POSIX" carry no character set; a terminal today still speaks UTF-8.
        if (std::strcmp(value, "C") == 0 || std::strcmp(value, "POSIX") == 0)
            return true;
        const char* dot = std::strchr(value, '.');
        if (dot == nullptr)
            return true;
        return strncasecmp(dot + 1, "utf-8", 5) == 0 || strncasecmp(dot + 1, "utf8", 4) == 0;
    }
    return true;
}

bool StreamWrite(TStandardStream AStream, std::string_view AData) {
    if (AData.empty())
        return !GBroken;
    FILE*             file = StreamFile(AStream);
    const std::size_t written = std::fwrite(AData.data(), 1, AData.size(), file);
    if (written != AData.size()) {
        const int error = errno;
        std::clearerr(file);
        NoteFailure(AStream, error);
        return false;
    }
    return true;
}

bool StreamFlush(TStandardStream AStream) {
    FILE* file = StreamFile(AStream);
    if (std::fflush(file) != 0) {
        const int error = errno;
        std::clearerr(file);
        NoteFailure(AStream, error);
        return false;
    }
    return true;
}

bool StreamBroken() {
    return GBroken;
}

int StreamFailure() {
    return GFailure;
}

std::string StreamFailureText() {
    const int error = GFailure;
    return error != 0 ? std::strerror(error) : std::string();
}

void SetStreamFailureHandler(void (*AHandler)()) {
    GFailureHandler = AHandler;
}
