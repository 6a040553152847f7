#include "engine/uOneSecondTimer.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "support/uExceptions.h"
#include "support/uLogger.h"

TOneSecondTimer::TOneSecondTimer(TInternalEngine* AInternalEngine)
    : TKvThreadTimer("OneSecondTimer"), FInternalEngine(AInternalEngine) {
    SetInterval(TTimeSpan::FromSeconds(1));
}

TOneSecondTimer::~TOneSecondTimer() {
    TerminateAndWait();
}

void TOneSecondTimer::Disable() {
    SetEnabled(false);
    // A tick that began before the switch finishes first; a later one sees it disabled.
    std::scoped_lock wait(FTickLock);
}

void TOneSecondTimer::DoTimer() {
    std::scoped_lock tick(FTickLock);
    if (!Enabled())
        return;
    // The timer also fires the moment it is enabled; progress at the very start of a search
    // says nothing and would slip between the first lines of a search that ends at once.
    if (GetElapsedTime() < Interval().Div(2))
        return;
    TKvThreadTimer::DoTimer();
    if (FInternalEngine == nullptr)
        return;
    try {
        TEngineOutput* output = FInternalEngine->Output();
        if (output == nullptr)
            return;
        output->OneSecond();
        if (FInternalEngine->ShowCurrLine())
            output->DrawCurrLine(FInternalEngine->GetCurrentLine());
    } catch (const Exception& e) {
        // Progress output must never end a search.
        if (TLogger* log = MainLog())
            log->LogException(e);
    }
}
