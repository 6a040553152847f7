#pragma once

#include "games/chess/uChessMoveGenerator.h"
#include "games/chess/uChessPosition.h"
#include "games/chess/uChessSetupRules.h"
#include "games/uGameVariant.h"

#include <memory>

// xboard's table from its piece types to the letters of a chess board: pawn, knight, bishop,
// rook, queen, the unused types, king.
inline constexpr std::string_view ChessXBoardPieceTable =
    "PNBRQ................Kpnbrq................k";

// The base of the chess variant family: the standard board, a TChessPosition with castling rights
// found from the board, the chess generator and the chess FEN parser and writer. Variants change
// the board (CreateBoard), the position class, the finishing touches of the start position or the
// generator's flags.
class TChessGameVariant : public TBoardGameVariant {
public:
    // The process-wide chess keys are drawn for the first start position of any chess variant.
    std::unique_ptr<TPosition>      CreateStartPosition() override;
    std::unique_ptr<TMoveGenerator> CreateMoveGenerator() override;
    std::shared_ptr<ICustomParser>  CreateForsythEdwardsNotationParser() override;
    std::shared_ptr<ICustomWriter>  CreateForsythEdwardsNotationWriter() override;
    // A new, fully set-up board: the standard setup, on 8 x 8 with line symmetry.
    virtual std::unique_ptr<TChessBoard> CreateBoard();
    // What a position string of this variant may not hold; the parser refuses it.
    virtual TChessSetupRules SetupRules() const { return {}; }

protected:
    virtual std::unique_ptr<TChessPosition>      NewPosition();
    virtual std::unique_ptr<TChessMoveGenerator> NewMoveGenerator();
    // Called after the board and the castling rights are in place.
    virtual void PrepareStartPosition(TChessPosition& APosition);
};

class TStandardChessGameVariant final : public TChessGameVariant {
public:
    TStandardChessGameVariant();
};

// Standard setup without castling rights.
class TNoCastleGameVariant : public TChessGameVariant {
public:
    TNoCastleGameVariant();

protected:
    void PrepareStartPosition(TChessPosition& APosition) override;
};

// Captures compulsory, the king an ordinary piece that may be captured, promotion to king.
class TGiveawayChessGameVariant final : public TNoCastleGameVariant {
public:
    TGiveawayChessGameVariant();
    TChessSetupRules SetupRules() const override;

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};

// 32 white pawns against the black army; Black moves first; White never double-steps.
class TDunsanyGameVariant final : public TChessGameVariant {
public:
    TDunsanyGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
    TChessSetupRules             SetupRules() const override;

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
    void                                 PrepareStartPosition(TChessPosition& APosition) override;
};

// The white army against a black horde of pawns (Black has no king); pawns on their first row
// double-step too.
class THordeChessGameVariant final : public TChessGameVariant {
public:
    THordeChessGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
    TChessSetupRules             SetupRules() const override;

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};

// A white horde of pawns against the black army (White has no king); pawns on their first row
// double-step too.
class THordeGameVariant final : public TChessGameVariant {
public:
    THordeGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
    TChessSetupRules             SetupRules() const override;

protected:
    std::unique_ptr<TChessMoveGenerator> NewMoveGenerator() override;
};
