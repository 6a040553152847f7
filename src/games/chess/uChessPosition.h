#pragma once

#include "games/chess/uChessPositionHash.h"
#include "games/chess/uSquaredBoard.h"
#include "games/uBoardDiagram.h"
#include "games/uMoveList.h"
#include "games/uPosition.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Chess piece codes; the second player's pieces are negated.
enum TChessPiece : std::int8_t { cpNone, cpPawn, cpKnight, cpBishop, cpRook, cpQueen, cpKing };

// The cell where the king of APlayer ends when castling: the g and c files on 8 columns.
int CastleKingDestination(const TSquaredBoard& ABoard, int APlayer, int ACastleType);

// A board with king and piece lookups. The king code is 6 in chess; the shogi board sets 8.
class TChessBoard : public TSquaredBoard {
public:
    // The first playing cell (in playing-square order) with APlayer's king, 0 if none.
    int  FindKingPos(int APlayer) const;
    int  FindPiecePos(int APiece) const;
    int  KingCode() const { return FKingCode; }
    void SetKingCode(int AValue) { FKingCode = AValue; }

private:
    int FKingCode = cpKing;
};

// Captures per player and piece type: the crazyhouse reserve and the diagram's captured pieces.
class TChessCapturedPieces {
public:
    using TCounts = std::array<std::array<std::int32_t, 7>, 2>;

    void Add(int APlayer, int APiece) { ++FCounts[APlayer][APiece]; }
    void Remove(int APlayer, int APiece) { --FCounts[APlayer][APiece]; }
    void Clear() { FCounts = {}; }
    // The English letters repeated by their counts, player 0 upper case first: "PPNpq".
    std::string AsString() const;
    // Replaces the counts with the letters of the text; "-" stands for nothing, any other
    // character raises "Unknown Piece x".
    void           ReadFromString(std::string_view ALine);
    void           ReadFromString(std::string_view ALine, std::size_t& AIndex);
    const TCounts& Counts() const { return FCounts; }
    TCounts&       Counts() { return FCounts; }

private:
    TCounts FCounts{};
};

// The 64 cells of the first 64 playing squares.
using TPackedBoard = std::array<std::int8_t, 64>;

// What RevertMove restores. The half-move clock is kept whole.
struct TChessUndoRecord {
    THash         Hash;
    TCastles      Castles;
    std::uint8_t  EnPassant;
    std::uint32_t LongDraw;
};

// The position of all chess variants and the base of the shogi position. Owns its board, the
// captured pieces and the undo stack. Make/revert and DoMove allocate nothing (the undo stack is
// reserved ahead) and keep the hash by XOR. One thread at a time.
class TChessPosition : public TPosition {
public:
    TChessPosition();

    void        Assign(const TPosition& ASource) override;
    std::string SideColorToString(int APlayerIndex) const override;
    std::string PieceToString(int APiece, TPieceLanguage APieceLanguage) const override;
    using TPosition::PieceToString;
    THash       GetHash() const override;
    void        DoMove(const TMove& AMove) override;
    void        NextSideToPlay() override;
    void        MakeRevertableMove(const TMove& AMove) override;
    void        RevertMove(const TMove& AMove) override;
    void        WriteToConsole(IOutputSink& ASink) const override;
    std::string MoveToString(const TMove& AMove) const override;
    // Coordinate notation, plus the castling forms front ends send: the king's two-file step to
    // its castling square, king takes own castling rook, and O-O / O-O-O (also with zeros).
    std::unique_ptr<TMove>     StringToMove(std::string_view AText) const override;
    std::unique_ptr<TPosition> Clone() const override;
    void SetCastlingText(bool AUseCastleStrings, bool AKingTakesRook) override {
        FUseCastleStrings = AUseCastleStrings;
        FKingTakesRook = AKingTakesRook;
    }
    // Also: piece codes, castling rights with their king and rook in place, captured-piece
    // counts and an empty en passant cell.
    std::string  SelfCheck() const override;
    virtual void Prepare() {}
    virtual void ReadCapturedPieces(std::string_view ALine, std::size_t& AIndex);

    void            AutoInitializeCastles();
    void            ClearCastles();
    void            SetCastles(const TCastles& AValue) { FCastles = AValue; }
    const TCastles& Castles() const { return FCastles; }
    int             EnPassant() const { return FEnPassant; }
    void            SetEnPassant(int AValue) { FEnPassant = static_cast<std::uint8_t>(AValue); }
    bool            UseCastleStrings() const { return FUseCastleStrings; }
    void            SetUseCastleStrings(bool AValue) { FUseCastleStrings = AValue; }
    // Castling written as the king taking its own rook (e1h1), as UCI front ends expect in
    // Chess960; O-O strings take precedence.
    bool               KingTakesRook() const { return FKingTakesRook; }
    void               SetKingTakesRook(bool AValue) { FKingTakesRook = AValue; }
    TChessBoard&       Board() { return *FBoard; }
    const TChessBoard& Board() const { return *FBoard; }
    // Takes ownership; the generator must be given the position again.
    void                        SetBoard(std::unique_ptr<TChessBoard> ABoard);
    TChessCapturedPieces&       CapturedPieces() { return FCapturedPieces; }
    const TChessCapturedPieces& CapturedPieces() const { return FCapturedPieces; }
    // Whether a piece of AAttacker attacks ACell on the current board (chess moves; a pinned
    // piece still attacks).
    bool         IsAttacked(int ACell, int AAttacker) const;
    TPackedBoard PackedBoard() const;
    bool         IsSamePackedBoard(const TPackedBoard& APackedBoard) const;
    // Number of undo records (moves made and not yet reverted).
    std::size_t              StackCount() const { return FStackTop / FUndoRecordSize; }
    void                     ClearStack() { FStackTop = 0; }
    const TPositionHashKeys& HashKeys() const { return *FKeys; }

protected:
    // The diagram of the board with chess labels (files a.., ranks 1.. from the bottom) and the
    // captured pieces below.
    TBoardDiagram Diagram() const;
    // The largest piece code a cell of this family may hold.
    virtual int MaxPieceCode() const { return TChessPositionHash::MaxCode; }
    // For variants whose records carry more than the chess record.
    void          SetUndoRecordSize(std::size_t AValue);
    std::uint8_t* PushUndoRecord() {
        if (FStackTop + FUndoRecordSize > FStack.size())
            GrowStack();
        std::uint8_t* record = FStack.data() + FStackTop;
        FStackTop += FUndoRecordSize;
        return record;
    }
    std::uint8_t* PopUndoRecord() {
        FStackTop -= FUndoRecordSize;
        return FStack.data() + FStackTop;
    }
    // The chess part of a record, at its start; variants append their fields after it.
    void SaveUndoRecord(std::uint8_t* ARecord) const;
    void RestoreUndoRecord(const std::uint8_t* ARecord);
    // The board part of RevertMove, after the undo record has been restored.
    void TakeBackMove(const TMove& AMove);
    void SetHashKeys(const TPositionHashKeys& AKeys) { FKeys = &AKeys; }
    // Clears a castling right of APlayer and its key.
    void ClearCastleRight(int APlayer, int ACastleType) {
        FCastles[APlayer][ACastleType] = 0;
        FHash.Swap(FKeys->FCastles[APlayer][ACastleType]);
    }

    bool                         FUseCastleStrings = false;
    bool                         FKingTakesRook = false;
    std::unique_ptr<TChessBoard> FBoard;
    TChessCapturedPieces         FCapturedPieces;
    TCastles                     FCastles{};
    std::uint8_t                 FEnPassant = 0;
    const TPositionHashKeys*     FKeys;

private:
    void GrowStack();

    std::vector<std::uint8_t> FStack;
    std::size_t               FStackTop = 0;
    std::size_t               FUndoRecordSize = sizeof(TChessUndoRecord);
};
