#include "support/uKvThread.h"

#include "platform/uPlatformSystem.h"

#include <cassert>

TKvThread::TKvThread(std::string AName) : FName(std::move(AName)) {}

TKvThread::~TKvThread() {
    // Reaching here with a running thread means a derived class forgot to wait for it; its
    // Execute would outlive the derived part. Join anyway rather than abort the process.
    assert(!FThread.joinable());
    if (FThread.joinable()) {
        Terminate();
        FThread.join();
    }
}

void TKvThread::Start() {
    if (FStarted)
        return;
    FStarted = true;
    FThread = std::thread([this] {
        SetCurrentThreadName(FName);
        Execute();
    });
}

void TKvThread::Terminate() {
    FTerminated.store(true, std::memory_order_release);
}

int TKvThread::WaitFor() {
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id())
        FThread.join();
    return FReturnValue;
}
