#include "shell/uConsoleReader.h"

#include "platform/uPlatformConsole.h"
#include "platform/uPlatformInput.h"
#include "shell/uCommonApplication.h"

TConsoleReader::TConsoleReader()
    : TKvThread("ConsoleReader"), FInput(std::make_unique<TStandardInputReader>()) {}

TConsoleReader::~TConsoleReader() {
    TerminateAndWait();
}

void TConsoleReader::Terminate() {
    TKvThread::Terminate();
    NotifyWaiter();
    FInput->Wake();
}

void TConsoleReader::Wake() {
    NotifyWaiter();
    FInput->Wake();
}

void TConsoleReader::NotifyWaiter() {
    {
        std::scoped_lock lock(FWakeLock);
        FWakePending = true;
    }
    FWakeCondition.notify_all();
}

bool TConsoleReader::WaitForWake() {
    std::unique_lock lock(FWakeLock);
    FWakeCondition.wait(lock, [this] { return FWakePending; });
    FWakePending = false;
    return !Terminated();
}

std::string TConsoleReader::OpenStartupFile(const std::string& AFileName) {
    return FInput->OpenFile(AFileName);
}

void TConsoleReader::Deliver(const std::string& AText) {
    if (!FOnReadInputText)
        return;
    try {
        FOnReadInputText(AText);
    } catch (const std::exception& e) {
        TCommonApplication::ReportFatalError(e);
    }
}

void TConsoleReader::Execute() {
    std::string line;
    while (!Terminated()) {
        // A front end that stopped reading our output is gone, and output that cannot be
        // written reaches nobody: end as on quit.
        if (StreamBroken() || StreamFailure() != 0) {
            if (FOnEndOfInput)
                FOnEndOfInput();
            break;
        }
        const TReadResult result = FInput->ReadLine(line);
        if (result == rrWoken) {
            if (FOnWoken && !Terminated()) {
                try {
                    FOnWoken();
                } catch (const std::exception& e) {
                    TCommonApplication::ReportFatalError(e);
                }
            }
            continue;
        }
        if (result == rrEndOfInput && FInput->ReadsFile()) {
            FInput->UseStandardInput();
            continue;
        }
        if (result == rrEndOfInput) {
            if (FOnEndOfInput)
                FOnEndOfInput();
            break;
        }
        Deliver(line);
    }
}
