#pragma once

#include "support/uKvThread.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class TStandardInputReader;

// Turns standard input into lines for the application, on its own thread. The startup text (a
// -startup file) is handed over once before the first read. Termination is checked between
// lines; Terminate also wakes a read that waits for a silent front end. Wake (any thread) lets
// the application run, on this thread, work that waited for something else to end.
class TConsoleReader final : public TKvThread {
public:
    using TOnReadInputText = std::function<void(const std::string&)>;
    using TOnEndOfInput = std::function<void()>;
    using TOnWoken = std::function<void()>;

    TConsoleReader();
    ~TConsoleReader() override;

    void SetOnReadInputText(TOnReadInputText AHandler) { FOnReadInputText = std::move(AHandler); }
    // Called when standard input ends (the front end closed the pipe).
    void SetOnEndOfInput(TOnEndOfInput AHandler) { FOnEndOfInput = std::move(AHandler); }
    // Called on this thread after a Wake.
    void               SetOnWoken(TOnWoken AHandler) { FOnWoken = std::move(AHandler); }
    void               SetStartupText(std::string AText) { FStartupText = std::move(AText); }
    const std::string& StartupText() const { return FStartupText; }
    void               Terminate() override;
    // Thread-safe; a wake is kept until the reader has seen it.
    void Wake();
    // For the end-of-input handler, on this thread: blocks until the next Wake or Terminate;
    // false once terminated.
    bool WaitForWake();

protected:
    void Execute() override;

private:
    void Deliver(const std::string& AText);
    void NotifyWaiter();

    TOnReadInputText                      FOnReadInputText;
    TOnEndOfInput                         FOnEndOfInput;
    TOnWoken                              FOnWoken;
    std::mutex                            FWakeLock;
    std::condition_variable               FWakeCondition;
    bool                                  FWakePending = false;
    std::string                           FStartupText;
    std::unique_ptr<TStandardInputReader> FInput;
};
