#pragma once

#include "engine/uRelaxed.h"
#include "engine/uStopCause.h"
#include "games/uScore.h"
#include "support/uMainTimer.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Why a reported line ends.
enum TVariationCut : std::uint8_t {
    vcNone,
    vcGameFinished,
    vcSpecific,
    vcAlpha,
    vcBeta,
    vcLimit,
    vcCalm,
    vcDepth,
    vcSelectivity,
    vcFutility,
    vcMaxDepth,
    vcHashAlpha,
    vcHashBeta,
    vcMovesRule,
    vcRepetition
};

// The status of a searched subtree, passed with each analysis line.
struct TSubtreeStatus {
    TScore        Score = 0;
    TScoreBound   ScoreBound = sbNone;
    TVariationCut VariationCut = vcNone;
    // How many moves of the line form the principal variation.
    std::uint16_t MoveCount = 0;
};

// One reported analysis line with the search state at the moment it was added.
struct TAnalysis {
    TTimeSpan                ElapsedTime;
    std::uint64_t            Nodes = 0;
    TSubtreeStatus           Status;
    std::uint8_t             Depth = 0;
    std::uint8_t             SelDepth = 0;
    std::uint8_t             ActMove = 0;
    std::vector<std::string> Moves;

    // Nodes per elapsed second, rounded; 0 when no time has elapsed.
    std::uint64_t GetNodesPerSecond() const;
};

// Nodes per second of a node count over a span, rounded half up; 0 for a span of no time.
std::uint64_t NodesPerSecond(std::uint64_t ANodes, TTimeSpan AElapsedTime);

// The state of the current search: depth bookkeeping, node counters, the analysis lines, the
// best move and the search clock. The searching thread writes it; the outputs read it from the
// command thread and the one-second timer thread. Counters are relaxed atomics, so the search
// path takes no lock; the texts and lines sit behind a small mutex, and readers get copies.
// A reader may see a counter of this instant together with an older line.
class TAnalysisInfo final {
public:
    using TEvent = std::function<void(TAnalysisInfo&)>;

    TAnalysisInfo() = default;
    TAnalysisInfo(const TAnalysisInfo&) = delete;
    TAnalysisInfo& operator=(const TAnalysisInfo&) = delete;

    // Forgets the last search: stops and resets the clock, empties the lines and the best move.
    // The root move count, the depth times, the start position, the events and the overheads
    // stay.
    void Clear();
    // Appends a line, makes it the actual line and its first move the best move.
    void AddAnalysis(const TSubtreeStatus& ABestStatus, const std::vector<std::string>& AMoves);
    // Counts one node. Only the searching thread calls it.
    void NextNode() { FNodes.Set(FNodes.Get() + 1); }

    std::optional<TAnalysis> GetAnalysis(std::int32_t AIndex) const;
    std::optional<TAnalysis> LastAnalysis() const;
    std::optional<TAnalysis> GetActualAnalysis() const;
    // The principal variation of the actual line; empty when there is none.
    std::string ActualAnalysisToString(std::string_view ANullMoveStr) const;

    // Stores both; the move becomes the best move while there is none yet.
    void SetCurrentMove(std::int32_t AMoveIndex, std::string_view AMove);
    // Changes the best move (and its time) and fires OnBestMove when it really changes.
    void SetBestMove(std::string_view AValue);
    // A new depth first closes the bookkeeping of the finished one.
    void SetDepth(std::int32_t AValue);

    // How long the next depth will take, extrapolated from the last two depths.
    TTimeSpan EstimateNextDepthElapsedTime() const;
    // The node counter expected after the next depth.
    std::uint64_t EstimateNextDepthNodes() const;
    TTimeSpan     ElapsedTimeWithAverageMoveOverhead() const;
    // HashNew per mille of HashPos, rounded; 0 without hash statistics.
    std::int64_t HashFull() const;

    std::int32_t  Depth() const { return FDepth; }
    std::int32_t  SelDepth() const { return FSelDepth; }
    void          SetSelDepth(std::int32_t AValue) { FSelDepth = AValue; }
    std::uint64_t Nodes() const { return FNodes; }
    void          SetNodes(std::uint64_t AValue) { FNodes = AValue; }
    bool          ChangedMove() const { return FChangedMove; }
    bool          ActualBestMoveIsBad() const { return FActualBestMoveIsBad; }
    std::int32_t  MoveCount() const { return FMoveCount; }
    void          SetMoveCount(std::int32_t AValue) { FMoveCount = AValue; }
    TTimeSpan     BestMoveSince() const { return FBestMoveSince; }
    std::int32_t  HashNew() const { return FHashNew; }
    void          SetHashNew(std::int32_t AValue) { FHashNew = AValue; }
    std::int32_t  HashPos() const { return FHashPos; }
    void          SetHashPos(std::int32_t AValue) { FHashPos = AValue; }
    std::uint64_t EndgameTableBasesHits() const { return FEndgameTableBasesHits; }
    void       SetEndgameTableBasesHits(std::uint64_t AValue) { FEndgameTableBasesHits = AValue; }
    TStopCause StopCause() const { return FStopCause; }
    void       SetStopCause(TStopCause AValue) { FStopCause = AValue; }
    // The search clock: it runs exactly while a search runs.
    TStopwatch&       ElapsedTime() { return FElapsedTime; }
    const TStopwatch& ElapsedTime() const { return FElapsedTime; }
    TTimeSpan         AverageMoveOverhead() const { return FAverageMoveOverhead; }
    void              SetAverageMoveOverhead(TTimeSpan AValue) { FAverageMoveOverhead = AValue; }
    TTimeSpan         MaximalMoveOverhead() const { return FMaximalMoveOverhead; }
    void              SetMaximalMoveOverhead(TTimeSpan AValue) { FMaximalMoveOverhead = AValue; }
    std::int32_t      AnalysisCount() const { return FAnalysisCount; }
    std::int32_t      CurrentMoveIndex() const { return FCurrentMoveIndex; }
    std::string       CurrentMove() const;
    std::string       BestMove() const;
    std::string       StartPosition() const;
    void              SetStartPosition(std::string_view AValue);
    TTimeSpan         DepthElapsedTime() const { return FDepthElapsedTime; }
    TTimeSpan         LastDepthElapsedTime() const { return FLastDepthElapsedTime; }
    std::uint64_t     DepthNodes() const { return FDepthNodes; }
    std::uint64_t     LastDepthNodes() const { return FLastDepthNodes; }
    // Events run on the thread that caused them; set them before a search starts.
    void SetOnAddAnalysis(TEvent AValue) { FOnAddAnalysis = std::move(AValue); }
    void SetOnBestMove(TEvent AValue) { FOnBestMove = std::move(AValue); }

private:
    void NewDepth();
    // Under FTextLock.
    void ChangeBestMove(std::string_view AMove);

    TRelaxed<std::int32_t>  FDepth{0};
    TRelaxed<TTimeSpan>     FDepthElapsedTime;
    TRelaxed<TTimeSpan>     FLastDepthElapsedTime;
    TRelaxed<TTimeSpan>     FLastCallTime;
    TRelaxed<std::uint64_t> FDepthNodes{0};
    TRelaxed<std::uint64_t> FLastDepthNodes{0};
    TRelaxed<std::uint64_t> FLastCallNodes{0};
    TRelaxed<TScore>        FLastDepthBestMoveScore{0};
    TRelaxed<TScore>        FBestMoveScore{0};
    TRelaxed<std::uint64_t> FNodes{0};
    TRelaxed<TStopCause>    FStopCause{scNone};
    TRelaxed<std::int32_t>  FActualAnalysisIndex{0};
    TStopwatch              FElapsedTime;
    TRelaxed<bool>          FChangedMove{false};
    TRelaxed<bool>          FActualBestMoveIsBad{false};
    TRelaxed<std::int32_t>  FAnalysisCount{0};
    TRelaxed<std::int32_t>  FCurrentMoveIndex{-1};
    TRelaxed<std::int32_t>  FMoveCount{0};
    TRelaxed<TTimeSpan>     FBestMoveSince;
    TRelaxed<std::int32_t>  FSelDepth{0};
    TRelaxed<std::int32_t>  FHashNew{0};
    TRelaxed<std::int32_t>  FHashPos{0};
    TRelaxed<TTimeSpan>     FAverageMoveOverhead;
    TRelaxed<TTimeSpan>     FMaximalMoveOverhead;
    TRelaxed<std::uint64_t> FEndgameTableBasesHits{0};

    // Guards the texts and the lines below.
    mutable std::mutex     FTextLock;
    std::vector<TAnalysis> FAnalysis;
    std::string            FCurrentMove;
    std::string            FStartPosition;
    std::string            FBestMove;

    TEvent FOnAddAnalysis;
    TEvent FOnBestMove;
};
