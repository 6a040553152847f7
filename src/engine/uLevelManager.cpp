#include "engine/uLevelManager.h"

#include "engine/uTimeControlLevel.h"
#include "support/uExceptions.h"

void TLevelManager::ResetLevels() {
    FMyRemainTime = TTimeSpan();
    FOpponentRemainTime = TTimeSpan();
}

std::optional<std::string>
TLevelManager::PrepareLevels(const std::function<std::int32_t()>& ARemainMoveCount) {
    if (FInfiniteAnalysis)
        return std::nullopt;
    if (FMyLevel == nullptr)
        throw Exception("No level is set.");
    auto* myLevel = dynamic_cast<TTimeControlLevel*>(FMyLevel);
    if (myLevel == nullptr)
        return std::nullopt;
    if (myLevel->MoveCount() == 0)
        myLevel->SetMoveCount(ARemainMoveCount());
    myLevel->SetIncrementTime(FMyRemainTime);
    myLevel->SetMoveIndex(0);
    // The opponent's move count is not defaulted: its time control is only followed, not used.
    if (auto* opponentLevel = dynamic_cast<TTimeControlLevel*>(FOpponentLevel)) {
        opponentLevel->SetIncrementTime(FOpponentRemainTime);
        opponentLevel->SetMoveIndex(0);
    }
    return myLevel->GetAsString();
}
