#include "engine/uCommonEngine.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

TCommonEngine::TCommonEngine()
    : FInitializationTimeStopwatch(std::make_unique<TStopwatch>()),
      FOptions(std::make_unique<TArguments>()), FAnalysisInfo(std::make_unique<TAnalysisInfo>()),
      FRootMoves(std::make_unique<TRootMoves>()), FLevelManager(std::make_unique<TLevelManager>()),
      FPowerRequest(std::make_unique<TCustomPowerRequest>()) {
    FPowerRequest->SetTitle("Analysis in progress");
    FPowerRequest->SetRequestType(PowerRequestExecutionRequired);
}

TCommonEngine::~TCommonEngine() {
    FLevelManager.reset();
    FRootMoves.reset();
    FAnalysisInfo.reset();
    FOptions.reset();
    FPowerRequest.reset();
    FInitializationTimeStopwatch.reset();
}

void TCommonEngine::PlayMove(std::string_view) {
    FSideToMove = 1 - FSideToMove;
}

void TCommonEngine::ReadPosition(std::string_view, std::int32_t&) {
    FRootMoves->Clear();
}

void TCommonEngine::Initialize() {
    FInitializationTimeStopwatch->Start();
}

void TCommonEngine::NewGame() {
    SetStartPos();
    FRootMoves->Clear();
}

void TCommonEngine::SetStartPos() {
    FSideToMove = 0;
}

void TCommonEngine::GetPerft(std::int32_t ADepth) {
    if (ADepth <= 0)
        throw EArgumentOutOfRangeException("Perft requires positive number argument.");
    Stop();
    HoldPowerRequest();
}

void TCommonEngine::HoldPowerRequest() {
    FPowerRequest->Increment();
    FPowerRequestHolds.fetch_add(1);
}

bool TCommonEngine::IsSearching() const {
    return FAnalysisInfo->ElapsedTime().IsRunning();
}

void TCommonEngine::Start() {
    if (IsSearching())
        throw Exception("Engine is running.");
    HoldPowerRequest();
    FAnalysisInfo->Clear();
    FAnalysisInfo->ElapsedTime().Restart();
}

void TCommonEngine::OnStop(TCommonEngine&) {
    int holds = FPowerRequestHolds.load();
    while (holds > 0 && !FPowerRequestHolds.compare_exchange_weak(holds, holds - 1)) {
    }
    if (holds > 0)
        FPowerRequest->Decrement();
}

void TCommonEngine::SetIsReady(bool AValue) {
    FIsReady = AValue;
    if (AValue) {
        FInitializationTimeStopwatch->Stop();
        FInitializationTime = FInitializationTimeStopwatch->Elapsed();
    }
}

void TCommonEngine::SetGamePosition(bool AStartPosition, std::string_view APosition,
                                    std::string_view AMoves) {
    if (AStartPosition)
        SetStartPos();
    else
        SetPositionFromString(APosition);
    DoMoves(AMoves);
}

void TCommonEngine::DoMoves(std::string_view AMoves) {
    FRootMoves->Clear();
    // Positions are 1-based character indexes, as the error prefix reports them.
    std::size_t moveIndex = 1;
    std::size_t position = 1;
    auto        skipBlanks = [&] {
        while (position <= AMoves.size() &&
               (AMoves[position - 1] == ' ' || AMoves[position - 1] == '\t'))
            ++position;
    };
    skipBlanks();
    while (position <= AMoves.size()) {
        const std::size_t start = position - 1;
        const std::size_t space = AMoves.find(' ', start);
        const std::size_t end = space == std::string_view::npos ? AMoves.size() : space;
        // Just past the space (1-based: end + 2), or just past the text.
        position = space == std::string_view::npos ? AMoves.size() + 1 : end + 2;
        try {
            PlayMove(AMoves.substr(start, end - start));
        } catch (const EAbort&) {
            throw;
        } catch (const Exception&) {
            RethrowWithContext("(MoveIndex: " + std::to_string(moveIndex) +
                               ", StringIndex: " + std::to_string(position) + "): ");
        }
        skipBlanks();
        ++moveIndex;
    }
}
