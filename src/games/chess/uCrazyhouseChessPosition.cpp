#include "games/chess/uCrazyhouseChessPosition.h"

#include <cstring>

namespace {

// The chess record, then the promoted marks as they were before the move.
constexpr std::size_t PromotedOffset = sizeof(TChessUndoRecord);

bool IsPromotion(std::uint8_t AMoveType) {
    return AMoveType >= cpKnight && AMoveType <= mvDefaultPromotion;
}

} // namespace

TCrazyhouseChessPosition::TCrazyhouseChessPosition() {
    SetUndoRecordSize(sizeof(TChessUndoRecord) + sizeof(FPromoted));
}

void TCrazyhouseChessPosition::Assign(const TPosition& ASource) {
    TChessPosition::Assign(ASource);
    if (const auto* source = dynamic_cast<const TCrazyhouseChessPosition*>(&ASource)) {
        FPromoted[0] = source->FPromoted[0];
        FPromoted[1] = source->FPromoted[1];
    }
}

void TCrazyhouseChessPosition::SetPromotedPiece(int ACell, bool AValue) {
    const std::uint64_t bit = std::uint64_t{1} << (ACell & 63);
    if (AValue)
        FPromoted[ACell >> 6] |= bit;
    else
        FPromoted[ACell >> 6] &= ~bit;
}

void TCrazyhouseChessPosition::TogglePromoted(int ACell) {
    FPromoted[ACell >> 6] ^= std::uint64_t{1} << (ACell & 63);
    FHash.Swap(ChessPositionHash().PromotedKey(ACell));
}

THash TCrazyhouseChessPosition::GetHash() const {
    THash                     result = TChessPosition::GetHash();
    const TChessPositionHash& keys = ChessPositionHash();
    const auto&               counts = FCapturedPieces.Counts();
    for (int player = 0; player < 2; ++player)
        for (int type = cpPawn; type <= cpKing; ++type)
            for (int count = 1; count <= counts[player][type]; ++count)
                result.Swap(keys.ReserveKey(player, type, count));
    for (int i = 0; i < FBoard->UsedSquareCount(); ++i) {
        const int cell = FBoard->UsedSquares()[i];
        if (IsPromotedPiece(cell))
            result.Swap(keys.PromotedKey(cell));
    }
    return result;
}

void TCrazyhouseChessPosition::DoMove(const TMove& AMove) {
    const int          mover = FSide;
    const int          from = AMove.FromSquare;
    const int          to = AMove.ToSquare;
    const std::uint8_t type = AMove.MoveType;
    const bool         boardMove = type == mvNormal || IsPromotion(type);
    const bool capturedPromoted = boardMove && AMove.CapturedPiece != 0 && IsPromotedPiece(to);
    const bool moverPromoted = type == mvNormal && IsPromotedPiece(from);

    TChessPosition::DoMove(AMove);

    // The reserve: the chess move counted the captured piece under its type (or took the dropped
    // piece out); a promoted piece goes back as a pawn.
    const TChessPositionHash& keys = ChessPositionHash();
    auto&                     counts = FCapturedPieces.Counts()[mover];
    if (type == mvDrop) {
        const int dropped = AMove.Piece < 0 ? -AMove.Piece : AMove.Piece;
        FHash.Swap(keys.ReserveKey(mover, dropped, counts[dropped] + 1));
    } else if (AMove.CapturedPiece != 0 || type == mvEnPassant) {
        int taken = type == mvEnPassant
                        ? cpPawn
                        : (AMove.CapturedPiece < 0 ? -AMove.CapturedPiece : AMove.CapturedPiece);
        if (taken > cpKing)
            taken = cpPawn;
        if (capturedPromoted && taken != cpPawn) {
            --counts[taken];
            ++counts[cpPawn];
            taken = cpPawn;
        }
        FHash.Swap(keys.ReserveKey(mover, taken, counts[taken]));
    }

    // The marks follow the pieces.
    if (capturedPromoted)
        TogglePromoted(to);
    if (moverPromoted) {
        TogglePromoted(from);
        TogglePromoted(to);
    }
    if (IsPromotion(type))
        TogglePromoted(to);
}

void TCrazyhouseChessPosition::MakeRevertableMove(const TMove& AMove) {
    std::uint8_t* record = PushUndoRecord();
    SaveUndoRecord(record);
    std::memcpy(record + PromotedOffset, FPromoted, sizeof(FPromoted));
    DoMove(AMove);
}

void TCrazyhouseChessPosition::RevertMove(const TMove& AMove) {
    const std::uint8_t* record = PopUndoRecord();
    RestoreUndoRecord(record);
    std::memcpy(FPromoted, record + PromotedOffset, sizeof(FPromoted));
    // A captured promoted piece went to the reserve as a pawn; the chess take-back removes it
    // under its own type.
    const std::uint8_t type = AMove.MoveType;
    const int captured = AMove.CapturedPiece < 0 ? -AMove.CapturedPiece : AMove.CapturedPiece;
    if ((type == mvNormal || IsPromotion(type)) && captured > cpPawn && captured <= cpKing &&
        IsPromotedPiece(AMove.ToSquare)) {
        auto& counts = FCapturedPieces.Counts()[AMove.Piece < 0 ? 1 : 0];
        --counts[cpPawn];
        ++counts[captured];
    }
    TakeBackMove(AMove);
}

std::unique_ptr<TPosition> TCrazyhouseChessPosition::Clone() const {
    auto result = std::make_unique<TCrazyhouseChessPosition>();
    result->Assign(*this);
    return result;
}

std::string TCrazyhouseChessPosition::SelfCheck() const {
    std::string fault = TChessPosition::SelfCheck();
    if (!fault.empty())
        return fault;
    for (int cell = 0; cell < 128; ++cell)
        if (IsPromotedPiece(cell) && !FBoard->PieceOnSquare(cell))
            return "promotion mark on empty cell " + std::to_string(cell);
    return {};
}
