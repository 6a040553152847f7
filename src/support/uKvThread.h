#pragma once

#include <atomic>
#include <string>
#include <thread>

// A thread object created suspended: Start runs Execute on a new thread named after the class.
// Terminate only asks; the body checks Terminated(). A derived class must call WaitFor (or
// TerminateAndWait) in its own destructor, while its Execute can still run safely.
class TKvThread {
public:
    explicit TKvThread(std::string AName);
    virtual ~TKvThread();
    TKvThread(const TKvThread&) = delete;
    TKvThread& operator=(const TKvThread&) = delete;

    void         Start();
    virtual void Terminate();
    bool         Terminated() const { return FTerminated.load(std::memory_order_acquire); }
    // Waits without limit; returns the thread's exit code (0 when never started).
    int  WaitFor();
    void TerminateAndWait() {
        Terminate();
        WaitFor();
    }
    bool               Started() const { return FStarted; }
    const std::string& Name() const { return FName; }

protected:
    virtual void Execute() = 0;
    void         SetReturnValue(int AValue) { FReturnValue = AValue; }

private:
    std::string       FName;
    std::thread       FThread;
    std::atomic<bool> FTerminated{false};
    bool              FStarted = false;
    int               FReturnValue = 0;
};
