#include "platform/uPlatformSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

int                                     GSignalPipe[2] = {-1, -1};
std::atomic<bool>                       GInterruptIgnored{false};
std::thread                             GWatcher;
std::function<void(TTerminationSignal)> GHandler;
std::mutex                              GLock;
std::mutex                              GHandlerLock;

constexpr char StopWatcher = 'x';

extern "C" void OnSignal(int ASignal) {
    const int savedErrno = errno;
    char      code = 0;
    switch (ASignal) {
    case SIGINT:
        if (GInterruptIgnored.load(std::memory_order_relaxed))
            return;
        code = 'i';
        break;
    case SIGQUIT:
        code = 'q';
        break;
    case SIGHUP:
        code = 'h';
        break;
    default:
        code = 't';
        break;
    }
    if (GSignalPipe[1] >= 0) [[maybe_unused]]
        const auto written = write(GSignalPipe[1], &code, 1);
    errno = savedErrno;
}

void WatchSignals() {
    while (true) {
        char          code = 0;
        const ssize_t got = read(GSignalPipe[0], &code, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || code == StopWatcher)
            return;
        TTerminationSignal kind = tsTerminate;
        switch (code) {
        case 'i':
            kind = tsInterrupt;
            break;
        case 'q':
            kind = tsQuit;
            break;
        case 'h':
            kind = tsHangup;
            break;
        default:
            break;
        }
        // Called under the lock, so that replacing the handler waits for one in flight.
        std::scoped_lock lock(GHandlerLock);
        if (GHandler)
            GHandler(kind);
    }
}

void SetAction(int ASignal, void (*AHandler)(int)) {
    struct sigaction action {};
    action.sa_handler = AHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a blocked read must see EINTR
    sigaction(ASignal, &action, nullptr);
}

} // namespace

void InstallTerminationSignals(std::function<void(TTerminationSignal)> AHandler) {
    std::scoped_lock lock(GLock);
    if (GWatcher.joinable())
        return;
    if (pipe2(GSignalPipe, O_CLOEXEC) != 0)
        return;
    {
        std::scoped_lock handlerLock(GHandlerLock);
        GHandler = std::move(AHandler);
    }
    GWatcher = std::thread(WatchSignals);
    SetAction(SIGINT, OnSignal);
    SetAction(SIGQUIT, OnSignal);
    SetAction(SIGHUP, OnSignal);
    SetAction(SIGTERM, OnSignal);
    SetAction(SIGPIPE, SIG_IGN);
}

void RemoveTerminationSignals() {
    std::scoped_lock lock(GLock);
    if (!GWatcher.joinable())
        return;
    SetAction(SIGINT, SIG_DFL);
    SetAction(SIGQUIT, SIG_DFL);
    SetAction(SIGHUP, SIG_DFL);
    SetAction(SIGTERM, SIG_DFL);
    const char                  stop = StopWatcher;
    [[maybe_unused]] const auto written = write(GSignalPipe[1], &stop, 1);
    GWatcher.join();
    close(GSignalPipe[0]);
    close(GSignalPipe[1]);
    GSignalPipe[0] = GSignalPipe[1] = -1;
    std::scoped_lock handlerLock(GHandlerLock);
    GHandler = nullptr;
}

void SetTerminationHandler(std::function<void(TTerminationSignal)> AHandler) {
    std::scoped_lock lock(GHandlerLock);
    GHandler = std::move(AHandler);
}

void SetInterruptSignalIgnored(bool AIgnored) {
    GInterruptIgnored = AIgnored;
}
