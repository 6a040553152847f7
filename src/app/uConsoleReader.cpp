#include "app/uConsoleReader.h"

#include "app/uCommonApplication.h"
#include "platform/uPlatformConsole.h"
#include "platform/uPlatformInput.h"

TConsoleReader::TConsoleReader()
    : TKvThread("ConsoleReader"), FInput(std::make_unique<TStandardInputReader>()) {}

TConsoleReader::~TConsoleReader() {
    TerminateAndWait();
}

void TConsoleReader::Terminate() {
    TKvThread::Terminate();
    FInput->Wake();
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
        if (result == rrWoken)
            continue;
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
