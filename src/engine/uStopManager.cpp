#include "engine/uStopManager.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineOutput.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "support/uProjectInfo.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

std::string_view StopCauseText(TStopCause ACause) {
    static const std::array<std::string, StopCauseNames.size()> Texts = [] {
        std::array<std::string, StopCauseNames.size()> texts;
        for (std::size_t i = 0; i < StopCauseNames.size(); ++i)
            texts[i] = IdentifierToWords(StopCauseNames[i].substr(2));
        return texts;
    }();
    return ACause < Texts.size() ? std::string_view(Texts[ACause]) : std::string_view("?");
}

TStopManager::TStopManager() = default;

void TStopManager::SetAnalysisInfo(TAnalysisInfo* AValue) {
    FAnalysisInfo = AValue;
    if (FLevelManager == nullptr)
        return;
    if (TCustomLevel* level = FLevelManager->MyLevel())
        level->SetAnalysisInfo(AValue);
    if (TCustomLevel* level = FLevelManager->OpponentLevel())
        level->SetAnalysisInfo(AValue);
}

void TStopManager::SetLimitNodesPerSecond(double AValue) {
    if (AValue == FLimitNodesPerSecond.Get())
        return;
    FLimitNodesPerSecond = AValue;
    // About sixty throttle checks per second of the configured rate.
    FSleepAfterNodes = AValue > 0 ? static_cast<std::uint64_t>(std::trunc(AValue / 60)) + 1 : 0;
}

void TStopManager::SetCause(TStopCause ACause) {
    FCause.store(ACause, std::memory_order_release);
    if (TEngineOutput* output = EngineOutput())
        output->TellGUIInfo("Stop Cause: " + std::string(StopCauseText(ACause)));
}

void TStopManager::Start() {
    FCause.store(scNone, std::memory_order_release);
    FMaxDepth = FLevelMaxDepth.Get();
}

void TStopManager::Abort() {
    TStopCause expected = scNone;
    if (!FCause.compare_exchange_strong(expected, scUserAbort, std::memory_order_acq_rel))
        return;
    if (TEngineOutput* output = EngineOutput())
        output->TellGUIInfo("Stop Cause: " + std::string(StopCauseText(scUserAbort)));
}

bool TStopManager::InfiniteAnalysis() const {
    return FLevelManager != nullptr && FLevelManager->InfiniteAnalysis();
}

bool TStopManager::LevelStopNode() const {
    if (FLevelManager == nullptr || FLevelManager->InfiniteAnalysis())
        return false;
    TCustomLevel* level = FLevelManager->MyLevel();
    return level != nullptr && level->GetStopNode();
}

void TStopManager::UpdateStopNode() {
    if (FAnalysisInfo == nullptr)
        return;
    const std::uint64_t sleepAfterNodes = FSleepAfterNodes;
    const double        limit = FLimitNodesPerSecond;
    const std::uint64_t nodes = FAnalysisInfo->Nodes();
    if (sleepAfterNodes != 0 && limit > 0 && nodes % sleepAfterNodes == 0) {
        const double      target = static_cast<double>(nodes) / limit;
        const TStopwatch& clock = FAnalysisInfo->ElapsedTime();
        const double      now = clock.Elapsed().ToSeconds();
        if (target >= now + 0.001) {
            const double step = std::min(target - now, 1.0 / 60);
            const auto   stepMs = std::chrono::milliseconds(std::llround(step * 1000));
            while (clock.Elapsed().ToSeconds() < target) {
                std::this_thread::sleep_for(stepMs);
                // A stop from outside ends the wait at once.
                if (Cause() != scNone)
                    return;
                if (LevelStopNode()) {
                    SetCause(scLevelOnNode);
                    return;
                }
            }
        }
    }
    if (LevelStopNode())
        SetCause(scLevelOnNode);
}

void TStopManager::UpdateStopMove() {
    if (FLevelManager == nullptr || FLevelManager->InfiniteAnalysis())
        return;
    TCustomLevel* level = FLevelManager->MyLevel();
    if (level != nullptr && level->GetStopMove())
        SetCause(scLevelOnMove);
}

void TStopManager::UpdateStopAnalysis() {
    if (FAnalysisInfo == nullptr)
        return;
    const std::optional<TAnalysis> last = FAnalysisInfo->LastAnalysis();
    if (last && last->Status.Score > ScoreMaxCentipawns) {
        // A found win: searching deeper than the mate distance is pointless.
        FMaxDepth = ScoreWinningMove - last->Status.Score;
        if (TEngineOutput* output = EngineOutput())
            output->TellGUIInfo("Maximal Depth: " + std::to_string(FMaxDepth.Get()));
        if (!(InfiniteAnalysis() && FMaxDepth >= FAnalysisInfo->Depth())) {
            SetCause(scWinScore);
            return;
        }
    }
    if (InfiniteAnalysis() || FLevelManager == nullptr)
        return;
    TCustomLevel* level = FLevelManager->MyLevel();
    if (level != nullptr && level->GetStopAnalysis())
        SetCause(scLevelOnAnalysis);
}

void TStopManager::UpdateStopDepth() {
    if (FAnalysisInfo == nullptr)
        return;
    const std::int32_t depth = FAnalysisInfo->Depth();
    if (depth >= FMaxDepth) {
        SetCause(scLevelOnDepth);
        return;
    }
    if (InfiniteAnalysis())
        return;
    if (depth >= FLimitMaxDepth) {
        SetCause(scLevelOnDepth);
        return;
    }
    if (FAnalysisInfo->MoveCount() == 1) {
        SetCause(scNoChoise);
        return;
    }
    const std::optional<TAnalysis> last = FAnalysisInfo->LastAnalysis();
    // A lost position; a line without a score says nothing about that.
    if (last && last->Status.Score != ScoreNone && last->Status.Score <= -ScoreMateMin) {
        SetCause(scLoseScore);
        return;
    }
    TCustomLevel* level = FLevelManager != nullptr ? FLevelManager->MyLevel() : nullptr;
    if (level != nullptr && level->GetStopDepth())
        SetCause(scLevelOnDepth);
}
