#pragma once

#include "support/uMainTimer.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

class TContinuousStatistics;

// Why a perft ended.
enum TPerftStopCause : std::uint8_t {
    pcCompleted, // every root move counted
    pcAborted,   // terminated before the end
    pcFailed     // a count failed (see TPerftEnd::Failure)
};

inline constexpr std::array<std::string_view, 3> PerftStopCauseNames = {"pcCompleted", "pcAborted",
                                                                        "pcFailed"};
static_assert(PerftStopCauseNames.size() == pcFailed + 1);

// One root move counted. The workers counted the same subtree; they agree unless the table or
// a generator is broken, and Count is the first worker's.
struct TPerftRootMove {
    std::string_view               Move;
    std::uint64_t                  Count = 0;
    std::span<const std::uint64_t> WorkerCounts;
    // The first worker's generator runs below this root move: how many lists, how long.
    const TContinuousStatistics* Statistics = nullptr;
};

// The end of a perft: the total of the root moves counted, why it ended and when.
struct TPerftEnd {
    std::uint64_t    Total = 0;
    TPerftStopCause  Cause = pcCompleted;
    std::string_view Failure; // the failure's message when Cause is pcFailed
    TTimeSpan        Elapsed;
};

// Where a perft delivers its results, as data: the layer above turns them into lines. Called on
// the perft's own thread, RootMoveCounted for each root move in list order, then PerftEnded once,
// also after a failure or a termination; the records live for the call only.
class IPerftReport {
public:
    virtual ~IPerftReport() = default;
    virtual void RootMoveCounted(const TPerftRootMove& ARootMove) = 0;
    virtual void PerftEnded(const TPerftEnd& AEnd) = 0;
};
