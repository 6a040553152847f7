#pragma once

#include "support/uKvThread.h"

#include <functional>
#include <memory>
#include <string>

class TStandardInputReader;

// Turns standard input into lines for the application, on its own thread. The startup text (a
// -startup file) is handed over once before the first read. Termination is checked between
// lines; Terminate also wakes a read that waits for a silent front end.
class TConsoleReader final : public TKvThread {
public:
    using TOnReadInputText = std::function<void(const std::string&)>;
    using TOnEndOfInput = std::function<void()>;

    TConsoleReader();
    ~TConsoleReader() override;

    void SetOnReadInputText(TOnReadInputText AHandler) { FOnReadInputText = std::move(AHandler); }
    // Called when standard input ends (the front end closed the pipe).
    void SetOnEndOfInput(TOnEndOfInput AHandler) { FOnEndOfInput = std::move(AHandler); }
    void SetStartupText(std::string AText) { FStartupText = std::move(AText); }
    const std::string& StartupText() const { return FStartupText; }
    void               Terminate() override;

protected:
    void Execute() override;

private:
    void Deliver(const std::string& AText);

    TOnReadInputText                      FOnReadInputText;
    TOnEndOfInput                         FOnEndOfInput;
    std::string                           FStartupText;
    std::unique_ptr<TStandardInputReader> FInput;
};
