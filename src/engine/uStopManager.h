#pragma once

#include "engine/uRelaxed.h"
#include "engine/uStopCause.h"

#include <atomic>
#include <cstdint>

class TAnalysisInfo;
class TEngineOutput;
class TLevelManager;

// Decides when a search stops. The search calls the Update operations at its check points and
// stops as soon as Cause() is not scNone; Abort may come from the command thread at any time.
// The cause is one atomic byte: the first stop of a search wins against Abort, while the update
// operations overwrite it.
class TStopManager final {
public:
    TStopManager();
    TStopManager(const TStopManager&) = delete;
    TStopManager& operator=(const TStopManager&) = delete;

    // A search starts: no cause, maximal depth back to the level's.
    void Start();
    // User stop; keeps a cause that is already set. The cause is reported only when AReport.
    void Abort(bool AReport = true);
    // At every node: the nodes-per-second throttle, then the level's node test.
    void UpdateStopNode();
    // After each finished root move.
    void UpdateStopMove();
    // After each new analysis line: a found win ends the search.
    void UpdateStopAnalysis();
    // After each finished depth.
    void UpdateStopDepth();

    TStopCause     Cause() const { return FCause.load(std::memory_order_acquire); }
    TAnalysisInfo* AnalysisInfo() const { return FAnalysisInfo; }
    // Also hands the information to the level manager's current levels.
    void           SetAnalysisInfo(TAnalysisInfo* AValue);
    TLevelManager* LevelManager() const { return FLevelManager; }
    void           SetLevelManager(TLevelManager* AValue) { FLevelManager = AValue; }
    TEngineOutput* EngineOutput() const { return FEngineOutput.load(std::memory_order_acquire); }
    void           SetEngineOutput(TEngineOutput* AValue) {
                  FEngineOutput.store(AValue, std::memory_order_release);
    }
    std::int32_t MaxDepth() const { return FMaxDepth; }
    std::int32_t LevelMaxDepth() const { return FLevelMaxDepth; }
    void         SetLevelMaxDepth(std::int32_t AValue) { FLevelMaxDepth = AValue; }
    // The XBoard "sd" limit.
    std::int32_t LimitMaxDepth() const { return FLimitMaxDepth; }
    void         SetLimitMaxDepth(std::int32_t AValue) { FLimitMaxDepth = AValue; }
    // Nodes per second; 0 or less switches the throttle off.
    double        LimitNodesPerSecond() const { return FLimitNodesPerSecond; }
    void          SetLimitNodesPerSecond(double AValue);
    std::uint64_t SleepAfterNodes() const { return FSleepAfterNodes; }

private:
    void SetCause(TStopCause ACause);
    bool InfiniteAnalysis() const;
    // The node test of the engine's own level, unless analysing without limit.
    bool LevelStopNode() const;

    std::atomic<TStopCause>     FCause{scUserAbort};
    TAnalysisInfo*              FAnalysisInfo = nullptr; // not owned
    std::atomic<TEngineOutput*> FEngineOutput{nullptr};  // not owned
    TRelaxed<std::int32_t>      FMaxDepth{99};
    TRelaxed<std::int32_t>      FLevelMaxDepth{99};
    TRelaxed<std::int32_t>      FLimitMaxDepth{99};
    TLevelManager*              FLevelManager = nullptr; // not owned
    TRelaxed<std::uint64_t>     FSleepAfterNodes{0};
    TRelaxed<double>            FLimitNodesPerSecond{0.0};
};
