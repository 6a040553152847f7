#include "games/chess/uAtomicChessPosition.h"

#include <cstdlib>

namespace {

// The chess record, then the eight cells around the destination before the move.
constexpr std::size_t NeighbourOffset = sizeof(TChessUndoRecord);

bool IsCapture(const TMove& AMove) {
    return AMove.MoveType == mvEnPassant ||
           (AMove.CapturedPiece != 0 && AMove.MoveType != mvKingSideCastle &&
            AMove.MoveType != mvQueenSideCastle && AMove.MoveType != mvDrop);
}

} // namespace

TAtomicChessPosition::TAtomicChessPosition() {
    SetUndoRecordSize(sizeof(TChessUndoRecord) + 8);
}

void TAtomicChessPosition::Neighbours(int ACell, int (&ACells)[8]) const {
    const int s = FBoard->SqXC2();
    const int steps[8] = {s - 1, s + 1, -s - 1, -s + 1, s, -1, 1, -s};
    for (int d = 0; d < 8; ++d)
        ACells[d] = ACell + steps[d];
}

void TAtomicChessPosition::Explode(int ACell) {
    const int piece = (*FBoard)[ACell];
    FHash.Swap(FKeys->SquareKey(piece, ACell));
    (*FBoard)[ACell] = 0;
    const int type = std::abs(piece);
    const int owner = piece < 0 ? 1 : 0;
    if (type == FBoard->KingCode()) {
        if (FCastles[owner][caKingRook] != 0)
            ClearCastleRight(owner, caKingSide);
        if (FCastles[owner][caQueenRook] != 0)
            ClearCastleRight(owner, caQueenSide);
    } else if (type == cpRook) {
        if (FCastles[owner][caKingRook] == ACell)
            ClearCastleRight(owner, caKingSide);
        else if (FCastles[owner][caQueenRook] == ACell)
            ClearCastleRight(owner, caQueenSide);
    }
}

void TAtomicChessPosition::DoMove(const TMove& AMove) {
    TChessPosition::DoMove(AMove);
    if (!IsCapture(AMove))
        return;
    // The capturing piece (promoted or not) goes with the explosion; pawns around survive.
    const int to = AMove.ToSquare;
    Explode(to);
    int around[8];
    Neighbours(to, around);
    for (const int cell : around) {
        const int piece = (*FBoard)[cell];
        if (piece != 0 && piece != TSquaredBoard::OffBoard && piece != cpPawn && piece != -cpPawn)
            Explode(cell);
    }
}

void TAtomicChessPosition::MakeRevertableMove(const TMove& AMove) {
    std::uint8_t* record = PushUndoRecord();
    SaveUndoRecord(record);
    int around[8];
    Neighbours(AMove.ToSquare, around);
    for (int d = 0; d < 8; ++d)
        record[NeighbourOffset + d] = static_cast<std::uint8_t>((*FBoard)[around[d]]);
    DoMove(AMove);
}

void TAtomicChessPosition::RevertMove(const TMove& AMove) {
    const std::uint8_t* record = PopUndoRecord();
    RestoreUndoRecord(record);
    if (IsCapture(AMove)) {
        int around[8];
        Neighbours(AMove.ToSquare, around);
        for (int d = 0; d < 8; ++d)
            (*FBoard)[around[d]] = static_cast<std::int8_t>(record[NeighbourOffset + d]);
    }
    TakeBackMove(AMove);
}

std::unique_ptr<TPosition> TAtomicChessPosition::Clone() const {
    auto result = std::make_unique<TAtomicChessPosition>();
    result->Assign(*this);
    return result;
}
