#pragma once

#include "support/uKvThread.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class TStandardInputReader;

// Turns standard input into lines for the application, on its own thread. The lines of a startup
// file (-startup) come first, read by the same rules as standard input. Termination is checked
// between lines; Terminate also wakes a read that waits for a silent front end. Wake (any thread)
// lets the application run, on this thread, work that waited for something else to end.
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
    void SetOnWoken(TOnWoken AHandler) { FOnWoken = std::move(AHandler); }
    void Terminate() override;
    // Thread-safe; a wake is kept until the reader has seen it.
    void Wake();
    // For the end-of-input handler, on this thread: blocks until the next Wake or Terminate;
    // false once terminated.
    bool WaitForWake();
    // Opens the startup file, to be read before standard input; returns why it cannot be read
    // (then only standard input is read), or an empty text. Call before Start.
    std::string OpenStartupFile(const std::string& AFileName);

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
    std::unique_ptr<TStandardInputReader> FInput;
};
