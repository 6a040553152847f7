#include "games/chess/uThreeCheckChessPosition.h"

#include <algorithm>

namespace {

// The chess record, then the check counts.
constexpr std::size_t CheckCountOffset = sizeof(TChessUndoRecord);

} // namespace

TThreeCheckChessPosition::TThreeCheckChessPosition() {
    SetUndoRecordSize(sizeof(TChessUndoRecord) + 1);
}

void TThreeCheckChessPosition::Assign(const TPosition& ASource) {
    TChessPosition::Assign(ASource);
    if (const auto* source = dynamic_cast<const TThreeCheckChessPosition*>(&ASource))
        FCheckCount = source->FCheckCount;
}

THash TThreeCheckChessPosition::GetHash() const {
    THash                     result = TChessPosition::GetHash();
    const TChessPositionHash& keys = ChessPositionHash();
    for (int player = 0; player < 2; ++player)
        result.Swap(keys.CheckCountKey(player, RemainingChecks(player)));
    return result;
}

void TThreeCheckChessPosition::SetRemainingChecks(int APlayer, int ACount) {
    const int count = std::clamp(ACount, 0, 15);
    const int shift = 4 * APlayer;
    FCheckCount = static_cast<std::uint8_t>((FCheckCount & ~(15 << shift)) | count << shift);
}

int TThreeCheckChessPosition::Winner() const {
    if (RemainingChecks(0) == 0)
        return 0;
    if (RemainingChecks(1) == 0)
        return 1;
    return -1;
}

void TThreeCheckChessPosition::DoMove(const TMove& AMove) {
    TChessPosition::DoMove(AMove);
    // FSide is now the side that may have been checked.
    const int king = FBoard->FindKingPos(FSide);
    const int mover = FSide ^ 1;
    const int remaining = RemainingChecks(mover);
    if (king == 0 || remaining == 0 || !IsAttacked(king, mover))
        return;
    const TChessPositionHash& keys = ChessPositionHash();
    FHash.Swap(keys.CheckCountKey(mover, remaining));
    FHash.Swap(keys.CheckCountKey(mover, remaining - 1));
    SetRemainingChecks(mover, remaining - 1);
}

void TThreeCheckChessPosition::MakeRevertableMove(const TMove& AMove) {
    std::uint8_t* record = PushUndoRecord();
    SaveUndoRecord(record);
    record[CheckCountOffset] = FCheckCount;
    DoMove(AMove);
}

void TThreeCheckChessPosition::RevertMove(const TMove& AMove) {
    const std::uint8_t* record = PopUndoRecord();
    RestoreUndoRecord(record);
    FCheckCount = record[CheckCountOffset];
    TakeBackMove(AMove);
}

std::unique_ptr<TPosition> TThreeCheckChessPosition::Clone() const {
    auto result = std::make_unique<TThreeCheckChessPosition>();
    result->Assign(*this);
    return result;
}
