#pragma once

#include "engine/uRelaxed.h"
#include "support/uMainTimer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class TCustomLevel;

// The limits of the next search: the engine's own level and, where known, the opponent's, with
// both clocks. It does not own the levels; the command that built a level owns it and replaces
// it only between searches.
class TLevelManager final {
public:
    TLevelManager() { ResetLevels(); }
    TLevelManager(const TLevelManager&) = delete;
    TLevelManager& operator=(const TLevelManager&) = delete;

    // Both remaining times to zero.
    void ResetLevels();
    // Readies the levels when a search starts: a time control gets the clocks and spreads the
    // time (a missing move count becomes ARemainMoveCount()). Raises "No level is set." without
    // infinite analysis and without a level. Returns the description to announce, if any.
    std::optional<std::string> PrepareLevels(const std::function<std::int32_t()>& ARemainMoveCount);

    bool          InfiniteAnalysis() const { return FInfiniteAnalysis; }
    void          SetInfiniteAnalysis(bool AValue) { FInfiniteAnalysis = AValue; }
    TTimeSpan     MyRemainTime() const { return FMyRemainTime; }
    void          SetMyRemainTime(TTimeSpan AValue) { FMyRemainTime = AValue; }
    TCustomLevel* OpponentLevel() const { return FOpponentLevel; }
    void          SetOpponentLevel(TCustomLevel* AValue) { FOpponentLevel = AValue; }
    TTimeSpan     OpponentRemainTime() const { return FOpponentRemainTime; }
    void          SetOpponentRemainTime(TTimeSpan AValue) { FOpponentRemainTime = AValue; }
    TCustomLevel* MyLevel() const { return FMyLevel; }
    void          SetMyLevel(TCustomLevel* AValue) { FMyLevel = AValue; }

private:
    // Read by the search; a front end may switch it while a search runs (ponder hit).
    TRelaxed<bool> FInfiniteAnalysis{false};
    TTimeSpan      FMyRemainTime;
    TCustomLevel*  FOpponentLevel = nullptr; // not owned
    TTimeSpan      FOpponentRemainTime;
    TCustomLevel*  FMyLevel = nullptr; // not owned
};
