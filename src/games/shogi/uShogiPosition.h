#pragma once

#include "games/chess/uChessPosition.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Shogi piece codes; promoted pieces follow the unpromoted ones.
enum TShogiPiece : std::int8_t {
    spNone,
    spPawn,
    spLance,
    spKnight,
    spSilver,
    spGold,
    spBishop,
    spRook,
    spKing,
    spPromotedPawn,
    spPromotedLance,
    spPromotedKnight,
    spPromotedSilver,
    spHorse,
    spDragon
};

constexpr int ShogiMaxCode = spDragon;

// The piece a captured piece becomes in the capturer's hand: promoted pieces lose their
// promotion (codes 9..14 give 1, 2, 3, 4, 6, 7); the king maps to itself.
constexpr std::int8_t ShogiUnpromoted[ShogiMaxCode + 1] = {0, 1, 2, 3, 4, 5, 6, 7,
                                                           8, 1, 2, 3, 4, 6, 7};
// The promoted code of a piece type, 0 for pieces that never promote (gold, king, promoted).
constexpr std::int8_t ShogiPromoted[ShogiMaxCode + 1] = {0, 9, 10, 11, 12, 0, 13, 14,
                                                         0, 0, 0,  0,  0,  0, 0};

// Pieces in hand per player, indexed [player][piece code]; only codes 1..7 are ever held.
class TShogiCapturedPieces {
public:
    using TCounts = std::array<std::array<std::int32_t, 16>, 2>;

    void Clear() { FCounts = {}; }
    // Player 0 then player 1, from the rook down to the pawn: the count when above 1, then the
    // letter (upper case for player 0): "2Pp"; "-" when both hands are empty.
    std::string AsString() const;
    // Replaces the counts: optional decimal counts each followed by a piece letter; a "-" ends
    // the reading. Raises "Unknown Piece x" for anything else and "Too many pieces in hand"
    // above 18 of one kind.
    void         ReadFromString(std::string_view ALine, std::size_t& AIndex);
    void         ReadFromString(std::string_view ALine);
    std::int32_t Count(int APlayer, int APiece) const { return FCounts[APlayer][APiece]; }
    void         SetCount(int APlayer, int APiece, std::int32_t AValue) {
                FCounts[APlayer][APiece] = AValue;
    }
    const TCounts& Counts() const { return FCounts; }
    TCounts&       Counts() { return FCounts; }

private:
    TCounts FCounts{};
};

// What RevertMove restores; the board and the hands follow from the move itself.
struct TShogiUndoRecord {
    THash         Hash;
    std::uint32_t LongDraw;
};

// The position of the shogi family: the chess board with the shogi pieces, the hands, the shogi
// keys (hands included) and the move text of shogi front ends. The first player, who moves
// first, is "Black" and starts on the rows of small Y. Squares are written with the file
// counted from the first player's right (1) and the rank lettered from the second player's
// side ("a"): the first player's bishop starts on 8h in shogi. Castling and en passant stay
// unused. Make/revert allocate nothing. One thread at a time.
class TShogiPosition final : public TChessPosition {
public:
    TShogiPosition();

    void        Assign(const TPosition& ASource) override;
    std::string SideColorToString(int APlayerIndex) const override;
    // English only ("+P" for promoted pieces); other languages raise "Language not supported".
    std::string PieceToString(int APiece, TPieceLanguage APieceLanguage) const override;
    using TChessPosition::PieceToString;
    THash GetHash() const override;
    // A capture sends the captured piece, unpromoted, to the mover's hand; a drop takes the
    // piece from it. MoveType is 0, the promoted code (9..14) or mvDrop.
    void DoMove(const TMove& AMove) override;
    void MakeRevertableMove(const TMove& AMove) override;
    void RevertMove(const TMove& AMove) override;
    void WriteToConsole(IOutputSink& ASink) const override;
    // 7g7f, 8h2b+ (promotion), P*5e (drop).
    std::string MoveToString(const TMove& AMove) const override;
    // Reads the texts MoveToString writes; a drop's letter may be either case, and "@" may stand
    // for "*". Reads only.
    std::unique_ptr<TMove>     StringToMove(std::string_view AText) const override;
    std::unique_ptr<TPosition> Clone() const override;
    void ReadCapturedPieces(std::string_view ALine, std::size_t& AIndex) override;
    // Also: every hand count within the hand keys' range.
    std::string SelfCheck() const override;

    // The square name of a playing cell ("7g").
    std::string SquareToString(int ASquare) const;
    // Reads a square name at AIndex and advances past it; raises "Square too short" or the
    // coordinate errors for names off the board.
    int StringToSquare(std::string_view AText, std::size_t& AIndex) const;

    TShogiCapturedPieces&       Hand() { return FCapturedPieces; }
    const TShogiCapturedPieces& Hand() const { return FCapturedPieces; }

protected:
    int MaxPieceCode() const override { return TShogiPositionHash::MaxCode; }

private:
    // The hands. It hides the chess record of captures, which shogi leaves empty.
    TShogiCapturedPieces FCapturedPieces;
};
