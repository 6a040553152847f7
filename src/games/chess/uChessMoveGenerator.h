#pragma once

#include "games/chess/uChessEvaluation.h"
#include "games/chess/uChessPosition.h"
#include "games/uMoveGenerator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

// The legal moves of a chess position in one Generate, with an evaluation accumulated on the way.
// Two passes: the first walks the opponent's pieces and builds the attack map, the pins of the
// mover's pieces and the checks on the mover's king; the second walks the mover's pieces and
// lists only legal moves, judged from those tables (no trial make/unmake). Pieces are walked in
// the board's playing-square order (ascending for the first player, descending for the second),
// and each piece's directions in its side's offset order: that fixes the order of every list.
//
// Perft mode (SetPerftMode) lists the same moves in the same order without priorities or score.
// The plain chess generator then also skips the opponent's attack map: it finds checks and pins
// by looking out from the mover's king and tests a cell's safety only where a king step or
// castling asks, and writes plain moves branch-free. Derived generators keep the two passes.
//
// Owns its move stack, evaluation and tables, and its own offset table (so generators on boards
// of different widths can run at once). Holds the position's cell array during Generate; the
// position must not change while a list is in use except by make/revert pairs that restore it.
// One thread at a time.
//
// Variant generators replace piece routines with SetPieceMethod or the virtual
// GenerateKingMoves, and may filter moves in AddChessMove: a class that overrides AddChessMove
// must call SetCustomAddChessMove(true), since the walk otherwise records moves without the
// virtual call.
class TChessMoveGenerator : public TMoveGenerator {
public:
    using TPieceMethod = void (TChessMoveGenerator::*)();
    static constexpr int MaxPieceCode = 14;
    // Scores of games a variant's rules decide, from the side to move's view: it has won, it has
    // lost, or it has a move that wins at once.
    static constexpr TScore WonScore = ScoreMate;
    static constexpr TScore LostScore = -ScoreMate;
    static constexpr TScore WinningMoveScore = ScoreWinningMove;

    TChessMoveGenerator();
    ~TChessMoveGenerator() override;

    // Takes the position (a TChessPosition) and builds the board-dependent tables; call again
    // after the board size changes.
    void       SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;
    // On 8 x 8 boards of the plain rules, counted on bit sets without listing the moves.
    std::uint32_t CountMoves() override;
    bool          CountChildMoves(TMoveList& AList, std::uint32_t* ACounts) override;
    // The score of the accumulators, corrected by the endgame table.
    void UpdateScore() override;
    // Prints the score breakdown to the console.
    void ScoreToOutput(IOutputSink& ASink) override;
    // A game the variant's rules decided (WonScore, LostScore) is won or lost for the side to
    // move; otherwise mate in check and stalemate without.
    TGameTermination NoMoveTermination() const override;

    // The one-step king moves of the piece at SqS.
    virtual void GenerateKingMoves();
    // Filters and records the move described by SqS, SqD, PieceS, PieceD and MoveType.
    virtual void AddChessMove();
    virtual void InitializePromotionSquares();
    virtual void InitializeDoubleSquares();
    virtual void InitializeOffsets();
    virtual void InitializeFinalKingPositions();

    bool         MateKing() const { return FMateKing; }
    bool         SelfCaptures() const { return FSelfCaptures; }
    std::int32_t PromotePawnTo() const { return FPromotePawnTo; }
    bool         WhiteDouble() const { return FWhiteDouble; }
    bool         BlackDouble() const { return FBlackDouble; }
    void         SetMateKing(bool AValue) { FMateKing = AValue; }
    void         SetSelfCaptures(bool AValue) { FSelfCaptures = AValue; }
    void         SetPromotePawnTo(std::int32_t AValue) { FPromotePawnTo = AValue; }
    // Take effect at the next SetPosition.
    void SetWhiteDouble(bool AValue) { FWhiteDouble = AValue; }
    void SetBlackDouble(bool AValue) { FBlackDouble = AValue; }
    // Pawns on their side's first row double-step too (horde); takes effect at SetPosition.
    bool                  FirstRowDoubleSteps() const { return FFirstRowDoubleSteps; }
    void                  SetFirstRowDoubleSteps(bool AValue) { FFirstRowDoubleSteps = AValue; }
    void                  SetEvaluation(std::unique_ptr<TChessEvaluation> AValue);
    TChessEvaluation&     Evaluation() { return *FEvaluation; }
    const TPreciseScores& Scores() const { return FScores; }
    bool                  CanPromote() const { return FCanPromote; }
    std::uint8_t          MaxPrior() const { return FMaxPrior; }
    // Attackers and defenders of a cell by ASide in the last evaluating Generate (perft mode
    // builds only the opponent's counts, and the plain chess generator not even those).
    std::uint8_t AffectedSquares(int ASide, int ACell) const {
        return FAffectedSquares[ASide][ACell];
    }
    int FinalKingPosition(int ASide, int ACastleType) const {
        return FFinalKPos[ASide][ACastleType];
    }
    // The checking pieces of ASide's king found by the last Generate (0 = none).
    int CheckingPiecePosition(int ASide, int AIndex) const {
        return FCheckingPiecePosition[ASide][AIndex];
    }

protected:
    // Piece routines for the piece at SqS / PieceS, in the pass given by FAddMove.
    void GeneratePawnMoves();
    void GeneratePawnCapture(int ADirection);
    void GenerateKnightMoves();
    void GenerateBishopMoves();
    void GenerateRookMoves();
    void GenerateQueenMoves();
    void GenerateKingAndCastlingMoves();
    // One slider ray in ADirection, with the attack, pin and check bookkeeping.
    void GenerateSlide(int ADirection);
    // The legality test of AddChessMove for the move in SqS, SqD, PieceS and MoveType.
    bool IsCheckEvasion();
    void SetCustomAddChessMove(bool AValue) { FCustomAddChessMove = AValue; }
    // Replaces the routine of a piece code (the walk then calls it instead of the inline one).
    void SetPieceMethod(int ACode, TPieceMethod AMethod);
    // For a derived generator whose rules need no opponent's attack map beyond OpponentAttacks
    // and the recorded checks and pins: perft mode may then skip the opponent's walk as the
    // plain chess generator does.
    void SetKingCentredAllowed(bool AValue) { FKingCentredAllowed = AValue; }
    // For sides with many pawns (the hordes): perft mode leaves pawns without any move out of
    // the walk; the list is the same.
    void SetSkipImmobilePawns(bool AValue) { FSkipImmobilePawns = AValue; }
    // For a derived generator whose moves on the board are the plain chess moves (it only adds
    // moves elsewhere, as drops): CountBoardMoves may then count them on bit sets.
    void SetPlainBoardMoves(bool AValue) { FPlainBoardMoves = AValue; }
    // The number of plain chess moves on the board of an 8 x 8 position not in check, and its
    // empty cells as bits (bit x + 8 y); -1 when they have to be listed to be counted.
    int CountBoardMoves(std::uint64_t& AEmpty);
    // The empty list of a game the rules have decided; AScore is the result (evaluating mode).
    TMoveList* GenerateNoMoves(std::int16_t AScore);
    // How two playing cells relate, from a table (valid for boards up to 16 x 16): the step of
    // the row, column or diagonal joining them (0 when none), whether that line is a diagonal,
    // a knight jump, a king step.
    bool         RelationsValid() const { return FRelationsValid; }
    int          LineStep(int AFrom, int ATo) const { return Relation(AFrom, ATo).Step; }
    bool         DiagonalLine(int AFrom, int ATo) const { return Relation(AFrom, ATo).Line == 1; }
    bool         KnightJump(int AFrom, int ATo) const { return Relation(AFrom, ATo).Knight; }
    bool         KingStep(int AFrom, int ATo) const { return Relation(AFrom, ATo).King; }
    std::uint8_t Priority(int AFrom, int ATo, int APiece, int ACaptured, std::uint8_t AMoveType);
    // Whether the opponent of FSide attacks ACell (from the attack map, or looked up from the
    // cell in the king-centred perft mode).
    bool OpponentAttacks(int ACell) const {
        if (!FKingCentred)
            return FAffectedSquares[FSide ^ 1][ACell] != 0;
        return FRelationsValid ? EnemyAttacks(ACell) : AttackedBy(ACell, FSide ^ 1);
    }
    // Whether the king of FSide may step to ACell as far as the opponent's attacks go.
    bool KingStepSafe(int ACell) const { return !FMateKing || !OpponentAttacks(ACell); }
    // Whether a piece of AAttacker attacks ACell on the current cells.
    bool AttackedBy(int ACell, int AAttacker) const;

    // -- state of the current Generate (the names the variant generators use) --
    TMoveList*                        FMoveList = nullptr;
    int                               FMoveCount = 0;
    int                               FFinalKPos[2][2]{};
    std::unique_ptr<TEndGameHash>     FEndGameHash;
    std::int32_t                      FPromotePawnTo = 5;
    bool                              FMateKing = true;
    bool                              FSelfCaptures = false;
    TPreciseScores                    FScores{};
    bool                              FCanPromote = false;
    bool                              FRemove[2]{};
    int                               FKingPos[2]{};
    int                               FCheckingPiecePosition[2][2]{};
    std::uint8_t                      FMaxPrior = 0;
    bool                              FBlackDouble = true;
    bool                              FWhiteDouble = true;
    int                               Ofst[16]{};
    int                               FSide = 0;
    bool                              FAddMove = false;
    int                               PieceS = 0;
    int                               PieceD = 0;
    int                               SqS = 0;
    int                               SqD = 0;
    std::uint8_t                      FMoveType = mvNormal;
    std::int8_t*                      Squares = nullptr;
    TPreciseScore*                    FSideScore = nullptr;
    std::uint8_t                      FPinned[256]{};
    std::uint8_t                      FAffectedSquares[2][256]{};
    TChessPosition*                   FChessPosition = nullptr;
    std::unique_ptr<TChessEvaluation> FEvaluation;
    // Routines by piece code; change them with SetPieceMethod.
    TPieceMethod FPieceMethodAddresses[MaxPieceCode + 1]{};
    std::uint8_t FPromotionSquares[2][256]{};
    std::int8_t  FDoubleSquares[256]{};
    // Both sides' offsets; Ofst is the walked side's copy.
    int FOffsets[2][16]{};

private:
    template <bool AEval> TMoveList* GenerateT();
    template <bool AEval, bool AAdd>
    void WalkPieces(const std::uint8_t* ACells, int ACount, int AStep);
    template <bool AEval, bool AAdd> void WalkPiece(int ACell, int APiece);
    template <bool AEval, bool AAdd> void PawnMoves(int ACell, int APiece);
    template <bool AEval, bool AAdd> void PawnCapture(int ACell, int APiece, int ADirection);
    template <bool AEval, bool AAdd> void Promotions(int AFrom, int ATo, int APiece, int ACaptured);
    template <bool AEval, bool AAdd> void KnightMoves(int ACell, int APiece);
    template <bool AEval, bool AAdd> void SliderRay(int ACell, int APiece, int ADirection);
    template <bool AEval, bool AAdd> void KingSteps(int ACell, int APiece);
    template <bool AEval, bool AAdd> void CastlingMoves(int ACell, int APiece);
    template <bool AEval, bool AAdd>
    void Emit(int AFrom, int ATo, int APiece, int ACaptured, std::uint8_t AMoveType);
    template <bool AEval, bool AAdd>
    void RecordMove(int AFrom, int ATo, int APiece, int ACaptured, std::uint8_t AMoveType);
    [[noreturn]] static void RaiseOverflow();
    void                     FastPieceMoves(int ACell, int APiece, int AType);
    void                     ScanFromKing(int AKing, int AMover);
    void                     ScanFromKingByRelations(int AKing, int AMover);
    // The opponent's attack on ACell from its piece lists of this Generate.
    bool EnemyAttacks(int ACell) const;
    // Whether the cells strictly between AFrom and ATo (aligned, AStep apart) are empty.
    bool LineIsEmpty(int AFrom, int ATo, int AStep) const {
        for (int c = AFrom + AStep; c != ATo; c += AStep)
            if (Squares[c] != 0)
                return false;
        return true;
    }
    void InitializeRelations();
    void InitializeRowScan();
    void InitializeBitboardCount();
    // The relation and row-scan tables depend on the board's shape alone: they are built once
    // per shape for the whole process and copied from there, so that a new generator, a variant
    // switch or a new game costs microseconds.
    struct TShapeTables;
    static std::shared_ptr<const TShapeTables> ShapeTables(const TChessBoard& ABoard);
    // What the board tables were last built for: SetPosition builds them again only when the
    // shape of the board or a rule flag they depend on has changed.
    struct TBuildKey {
        std::array<std::uint8_t, 128> UsedSquares;
        int                           Width;
        int                           Height;
        int                           KingCode;
        bool                          WhiteDouble;
        bool                          BlackDouble;
        bool                          FirstRowDoubleSteps;
        bool                          PlainBoardMoves;
        bool                          operator==(const TBuildKey&) const = default;
    };
    TBuildKey BuildKey(const TChessBoard& ABoard) const;
    // The legal moves counted on bit sets of the board; -1 when the position needs the general
    // generator (a check to answer, not exactly one king). AEmpty receives the empty cells.
    int CountByBitboards(std::uint64_t& AEmpty);
    struct TBoardSets;
    void ReadBoardSets(TBoardSets& ASets) const;
    int  CountOnSets(const TBoardSets& ASets, int ASide, const TCastles& ACastles,
                     int AEnPassantCell) const;
    // CountChildMoves for the moves of AList from ADone on, each made on the position.
    bool CountByPlaying(TMoveList& AList, std::uint32_t ADone, std::uint32_t* ACounts);
    // The pieces of both sides in playing-square order; returns the counts.
    template <bool ATyped, bool ASkipPawns = false>
    void CollectPieces(std::uint8_t (&APieces)[2][136], int (&ACounts)[2], int AOpponent);
    // Per row of the row scan: the mover's pawns that have nothing to push to or capture.
    void FindImmobilePawns(unsigned (&AMasks)[64], int AMover) const;
    void RecordCheck(int ACheckerCell, int AKingCell, int AStep, bool ASlider);
    bool MoveIsLegal(int AFrom, int ATo, std::uint8_t AMoveType);
    bool EnPassantIsLegal(int AFrom, int ATo);
    bool SliderAttacks(int ACell, int AAttackerSide) const;
    bool RankAttacked(int ACell, int AAttackerSide) const;
    void MarkEvasionSquares();
    void UnmarkEvasionSquares();
    void KingMovesDispatch();

    std::optional<TBuildKey> FBuiltFor;

    bool FCustomAddChessMove = false;
    bool FKingCentredAllowed = false;
    bool FFirstRowDoubleSteps = false;
    bool FSkipImmobilePawns = false;
    // Perft mode of the plain chess generator: instead of the opponent's whole attack map, the
    // checks and pins are found by looking out from the mover's king, and a cell's safety is
    // looked up when a king move or castling asks for it. The lists are the same.
    bool FKingCentred = false;
    bool FExactClass = false;
    // How two playing cells relate: the step of the line joining them (0 when they are not on
    // one line) with its kind, knight jump, king step. Looked up by the difference of the cells'
    // keys x + 32 y, so it serves boards of up to 16 x 16.
    struct TRelation {
        std::int8_t  Step;
        std::uint8_t Line; // 1 diagonal, 2 row or column
        bool         Knight;
        bool         King;
    };
    const TRelation& Relation(int AFrom, int ATo) const {
        return FRelationTable[FCellKey[ATo] - FCellKey[AFrom] + 512];
    }
    TRelation FRelationTable[1024]{};
    // Row-wise piece scan for boards up to 8 wide: each row's cells are tested at once, and a
    // table per row order gives the occupied columns in that order, eight at a time.
    struct TRowScan {
        std::uint8_t Start;
        std::uint8_t Order;
    };
    bool          FRowScanValid = false;
    int           FRowCount = 0;
    std::uint8_t  FColumnMask = 0;
    TRowScan      FRows[64]{};
    std::uint64_t FOrderedColumns[4][256]{};
    std::int16_t  FCellKey[256]{};
    bool          FRelationsValid = false;
    // The opponent's pieces by kind, collected for the king-centred lookups.
    std::uint8_t FEnemySliders[136]{};
    std::uint8_t FEnemyKnights[136]{};
    int          FEnemySliderCount = 0;
    int          FEnemyKnightCount = 0;
    int          FEnemyKing = 0;
    int          FMoverKing = 0;
    // Set while the second pass may append plain moves straight away: no check to answer, no
    // compulsory captures, no filter of a variant.
    bool FDirectAdd = false;
    // FDirectAdd without self-captures: the branch-free routines of FastPieceMoves may run.
    bool   FFastEmit = false;
    int    FEnPassantCell = 0;
    TMove* FListLimit = nullptr;
    // Bit per piece code whose chess routine still runs inline.
    std::uint32_t FStandardRoutines = 0x3E;
    bool          FEvaluating = true;
    // Beyond the king on the line of a checking slider: the king may not step there.
    int FBannedKingCell[2][2]{};
    // In single check: the checker's cell and the cells between it and the king.
    bool FEvasion[256]{};
    int  FEvasionCells[32]{};
    int  FEvasionCount = 0;
    int  FKingCode = cpKing;
    // For CountByBitboards: whether the board and the rules allow it, the first cell of each
    // row, the bit of each cell, and the promotion and double-step cells of each side as bits.
    bool          FBitboardCount = false;
    bool          FPlainBoardMoves = false;
    int           FRowStartCell[8]{};
    std::int8_t   FCellBit[256]{};
    std::uint64_t FPromotionBits[2]{};
    std::uint64_t FDoubleStepBits[2]{};
};
