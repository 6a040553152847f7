#include "engine/uAnalysisInfo.h"

#include "support/uInt128.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

constexpr std::uint64_t MaxNodes = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturateNodes(TUInt128 AValue) {
    return AValue > MaxNodes ? MaxNodes : static_cast<std::uint64_t>(AValue);
}

// (a + b / 2) / b; the callers guarantee b > 0.
TUInt128 RoundedDivide(TUInt128 A, TUInt128 B) {
    return (A + B / 2) / B;
}

} // namespace

std::uint64_t NodesPerSecond(std::uint64_t ANodes, TTimeSpan AElapsedTime) {
    if (AElapsedTime.Ticks() <= 0)
        return 0;
    const auto ticks = static_cast<TUInt128>(AElapsedTime.Ticks());
    return SaturateNodes(RoundedDivide(
        static_cast<TUInt128>(ANodes) * static_cast<TUInt128>(MainTimer().Frequency()), ticks));
}

std::uint64_t TAnalysis::GetNodesPerSecond() const {
    return NodesPerSecond(Nodes, ElapsedTime);
}

void TAnalysisInfo::Clear() {
    if (FElapsedTime.IsRunning()) {
        FElapsedTime.Stop();
        FElapsedTime.Reset();
    }
    FDepth = 0;
    FSelDepth = 0;
    FBestMoveScore = 0;
    FLastDepthBestMoveScore = 0;
    FBestMoveSince = TTimeSpan();
    FLastCallTime = TTimeSpan();
    FDepthNodes = 0;
    FLastDepthNodes = 0;
    FLastCallNodes = 0;
    FStopCause = scNone;
    FCurrentMoveIndex = -1;
    FHashNew = 0;
    FHashPos = 0;
    FEndgameTableBasesHits = 0;
    FNodes = 0;
    std::scoped_lock lock(FTextLock);
    FBestMove.clear();
    FCurrentMove.clear();
    FActualAnalysisIndex = 0;
    FAnalysisCount = 0;
    FAnalysis.clear();
}

void TAnalysisInfo::AddAnalysis(const TSubtreeStatus&           ABestStatus,
                                const std::vector<std::string>& AMoves) {
    {
        std::scoped_lock lock(FTextLock);
        if (FAnalysis.size() == FAnalysis.capacity())
            FAnalysis.reserve(std::max<std::size_t>(8, std::bit_ceil(FAnalysis.size() + 1)));
        TAnalysis& line = FAnalysis.emplace_back();
        line.Status = ABestStatus;
        line.ElapsedTime = FElapsedTime.Elapsed();
        line.Nodes = FNodes;
        line.Depth = static_cast<std::uint8_t>(FDepth.Get() & 0xFF);
        line.SelDepth = static_cast<std::uint8_t>(FSelDepth.Get() & 0xFF);
        line.ActMove = static_cast<std::uint8_t>(AMoves.size() & 0xFF);
        line.Moves = AMoves;
        const std::int32_t count = FAnalysisCount;
        // The outputs follow the newest line unless someone chose an older one.
        if (FActualAnalysisIndex == count - 1)
            FActualAnalysisIndex = count;
        FAnalysisCount = count + 1;
        const TAnalysis& actual = FAnalysis[static_cast<std::size_t>(FActualAnalysisIndex.Get())];
        ChangeBestMove(actual.Moves.empty() ? std::string_view() : actual.Moves.front());
    }
    FBestMoveScore = ABestStatus.Score;
    // A drop of more than 35 centipawns against the previous depth.
    if (FDepth >= 2 && FBestMoveScore + 35 < FLastDepthBestMoveScore)
        FActualBestMoveIsBad = true;
    if (FOnAddAnalysis)
        FOnAddAnalysis(*this);
}

std::optional<TAnalysis> TAnalysisInfo::GetAnalysis(std::int32_t AIndex) const {
    std::scoped_lock lock(FTextLock);
    if (AIndex < 0 || AIndex >= FAnalysisCount)
        return std::nullopt;
    return FAnalysis[static_cast<std::size_t>(AIndex)];
}

std::optional<TAnalysis> TAnalysisInfo::LastAnalysis() const {
    std::scoped_lock lock(FTextLock);
    if (FAnalysis.empty())
        return std::nullopt;
    return FAnalysis.back();
}

std::optional<TAnalysis> TAnalysisInfo::GetActualAnalysis() const {
    return GetAnalysis(FActualAnalysisIndex);
}

std::string TAnalysisInfo::ActualAnalysisToString(std::string_view ANullMoveStr) const {
    const std::optional<TAnalysis> actual = GetActualAnalysis();
    if (!actual)
        return {};
    const std::size_t count = std::min<std::size_t>(actual->Status.MoveCount, actual->Moves.size());
    std::string       text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += ' ';
        text += actual->Moves[i].empty() ? ANullMoveStr : std::string_view(actual->Moves[i]);
    }
    return text;
}

void TAnalysisInfo::SetCurrentMove(std::int32_t AMoveIndex, std::string_view AMove) {
    std::scoped_lock lock(FTextLock);
    FCurrentMoveIndex = AMoveIndex;
    FCurrentMove = AMove;
    if (FBestMove.empty())
        FBestMove = AMove;
}

void TAnalysisInfo::ChangeBestMove(std::string_view AMove) {
    if (AMove == FBestMove)
        return;
    FBestMove = AMove;
    FBestMoveSince = FElapsedTime.Elapsed();
    FChangedMove = true;
}

void TAnalysisInfo::SetBestMove(std::string_view AValue) {
    {
        std::scoped_lock lock(FTextLock);
        if (AValue == FBestMove)
            return;
        ChangeBestMove(AValue);
    }
    if (FOnBestMove)
        FOnBestMove(*this);
}

void TAnalysisInfo::SetDepth(std::int32_t AValue) {
    if (AValue == FDepth)
        return;
    NewDepth();
    FDepth = AValue;
}

void TAnalysisInfo::NewDepth() {
    FLastDepthBestMoveScore = FBestMoveScore.Get();
    FLastDepthElapsedTime = FDepthElapsedTime.Get();
    const TTimeSpan elapsed = FElapsedTime.Elapsed();
    FDepthElapsedTime = elapsed - FLastCallTime;
    FLastCallTime = elapsed;
    FLastDepthNodes = FDepthNodes.Get();
    const std::uint64_t nodes = FNodes;
    if (nodes >= FLastCallNodes) {
        FDepthNodes = nodes - FLastCallNodes;
        FLastCallNodes = nodes;
    }
    FSelDepth = 0;
    FChangedMove = false;
    FActualBestMoveIsBad = false;
}

TTimeSpan TAnalysisInfo::EstimateNextDepthElapsedTime() const {
    const TTimeSpan t = (FDepthElapsedTime.Get() - TTimeSpan::FromMilliseconds(10)).NonNegative();
    const std::int32_t depth = FDepth;
    if (depth <= 0)
        return TTimeSpan();
    if (depth == 1)
        return t * 4;
    const std::int64_t last = FLastDepthElapsedTime.Get().Ticks();
    // A previous depth that took no time gives no growth rate: the next depth is taken to last
    // as long as this one.
    if (last <= 0)
        return t;
    const auto          ticks = static_cast<TUInt128>(t.Ticks());
    const std::uint64_t grown =
        SaturateNodes(RoundedDivide(ticks * ticks, static_cast<TUInt128>(last)));
    const auto limited = static_cast<std::int64_t>(
        std::min<std::uint64_t>(grown, std::numeric_limits<std::int64_t>::max()));
    return std::max(t, TTimeSpan(limited));
}

std::uint64_t TAnalysisInfo::EstimateNextDepthNodes() const {
    const std::int32_t  depth = FDepth;
    const std::uint64_t depthNodes = FDepthNodes;
    if (depth <= 0)
        return static_cast<std::uint64_t>(std::max(0, FMoveCount.Get()));
    if (depth == 1)
        return SaturateNodes(static_cast<TUInt128>(depthNodes) * 4);
    const std::uint64_t last = FLastDepthNodes;
    // Without nodes in the previous depth the next depth is taken to cost as much as this one.
    std::uint64_t next = depthNodes;
    if (last != 0)
        next = std::max(depthNodes, SaturateNodes(RoundedDivide(
                                        static_cast<TUInt128>(depthNodes) * depthNodes, last)));
    return SaturateNodes(static_cast<TUInt128>(FNodes.Get()) + next);
}

TTimeSpan TAnalysisInfo::ElapsedTimeWithAverageMoveOverhead() const {
    return FElapsedTime.Elapsed() + FAverageMoveOverhead.Get();
}

std::int64_t TAnalysisInfo::HashFull() const {
    const std::int64_t capacity = FHashPos;
    if (capacity <= 0)
        return 0;
    const std::int64_t used = std::max<std::int64_t>(0, FHashNew.Get());
    return (used * 1000 + capacity / 2) / capacity;
}

std::string TAnalysisInfo::CurrentMove() const {
    std::scoped_lock lock(FTextLock);
    return FCurrentMove;
}

std::string TAnalysisInfo::BestMove() const {
    std::scoped_lock lock(FTextLock);
    return FBestMove;
}

std::string TAnalysisInfo::StartPosition() const {
    std::scoped_lock lock(FTextLock);
    return FStartPosition;
}

void TAnalysisInfo::SetStartPosition(std::string_view AValue) {
    std::scoped_lock lock(FTextLock);
    FStartPosition = AValue;
}
