#include "protocols/uProtocolLevels.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "support/uCustomArgument.h"

void SetUpTimeControlLevel(TTimeControlLevel& ALevel, TCommonEngineOptions& AOptions,
                           const TClockSetting& AClock) {
    ALevel.SetTimeUsage(static_cast<std::int32_t>(AOptions.TimeUsage().Value()));
    ALevel.SetFixedMoveTime(AOptions.FixedMoveTime().Value());
    ALevel.SetMinimalTime(TTimeSpan::FromMilliseconds(AOptions.MinimalMoveTime().Value()));
    ALevel.SetMaximalMoveOverhead(
        TTimeSpan::FromMilliseconds(AOptions.MaximalMoveOverhead().Value()));
    ALevel.SetMoveCount(AClock.MoveCount);
    ALevel.SetIncrementTime(AClock.TotalTime);
    ALevel.SetMoveIncrementTime(AClock.MoveIncrement);
    ALevel.SetFreeTime(AClock.FreeTime);
    // Last: the move index works out the time per move from everything above.
    ALevel.SetMoveIndex(0);
}

void UseAsMyLevel(TInternalEngine& AEngine, TCustomLevel& ALevel) {
    ALevel.SetAnalysisInfo(&AEngine.AnalysisInfo());
    AEngine.LevelManager().SetMyLevel(&ALevel);
}

void UseLevels(TInternalEngine& AEngine, TCustomLevel& AMyLevel, TCustomLevel* AOpponentLevel) {
    UseAsMyLevel(AEngine, AMyLevel);
    if (AOpponentLevel != nullptr)
        AOpponentLevel->SetAnalysisInfo(&AEngine.AnalysisInfo());
    AEngine.LevelManager().SetOpponentLevel(AOpponentLevel);
}
