#pragma once

#include "support/uKvThread.h"

#include <functional>
#include <memory>
#include <string>

class TStandardInputReader;

// Turns standard input into lines for the application, on its own thread. The lines of a startup
// file (-startup) come first, read by the same rules as standard input. Termination is checked
// between lines; Terminate also wakes a read that waits for a silent front end.
class TConsoleReader final : public TKvThread {
public:
    using TOnReadInputText = std::function<void(const std::string&)>;
    using TOnEndOfInput = std::function<void()>;

    TConsoleReader();
    ~TConsoleReader() override;

    void SetOnReadInputText(TOnReadInputText AHandler) { FOnReadInputText = std::move(AHandler); }
    // Called when standard input ends (the front end closed the pipe).
    void SetOnEndOfInput(TOnEndOfInput AHandler) { FOnEndOfInput = std::move(AHandler); }
    // Opens the startup file, to be read before standard input; returns why it cannot be read
    // (then only standard input is read), or an empty text. Call before Start.
    std::string OpenStartupFile(const std::string& AFileName);
    void        Terminate() override;

protected:
    void Execute() override;

private:
    void Deliver(const std::string& AText);

    TOnReadInputText                      FOnReadInputText;
    TOnEndOfInput                         FOnEndOfInput;
    std::unique_ptr<TStandardInputReader> FInput;
};
