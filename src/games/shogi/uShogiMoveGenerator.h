#pragma once

#include "games/chess/uChessMoveGenerator.h"

#include <cstdint>

class TShogiPosition;

// The legal moves of a shogi-family position: board moves of every piece, with and without
// promotion, then drops from the hand. Legality is judged without trial moves: the checks and
// pins on the mover's king are found by looking out from it, king steps are tested against the
// opponent's attacks on the target cell, and a pawn drop in front of the opponent's king is
// refused when it mates (the only case that needs a look at the replies).
//
// Rules: a pawn, lance or knight never moves or drops where it could not move again (it must
// promote there); a pawn is not dropped on a file holding an unpromoted pawn of its side; gold,
// king and promoted pieces never promote; a move promotes optionally when it starts or ends in
// the mover's zone (the last height div 3 rows), the promotion listed before the plain move.
// Order: the mover's pieces in cell order (ascending for the first player, descending for the
// second), each piece's moves in its direction order; then drops, pawn to rook, each over the
// empty cells in the same cell order.
//
// Perft mode lists the same moves without priorities or score; the evaluating mode also looks
// for a move that mates at once (it then scores WinningMoveScore for the side to move). Owns its
// move stack and tables; holds the position's cells during Generate. One thread at a time.
class TShogiMoveGenerator final : public TChessMoveGenerator {
public:
    TShogiMoveGenerator();

    void       SetPosition(TPosition* AValue) override;
    TMoveList* Generate() override;
    // First player's material minus the second's, hands included.
    void UpdateScore() override;
    void InitializePromotionSquares() override;
    void InitializeDoubleSquares() override;
    void InitializeFinalKingPositions() override;
    // Without a move the side to move has lost, in check or not.
    TGameTermination NoMoveTermination() const override {
        return TMoveGenerator::NoMoveTermination();
    }
    // Whether the other side attacks the king of ASide in the position (false without one).
    bool KingAttacked(int ASide);

private:
    static constexpr int ShogiCodeCount = 15;

    // Steps and slides of one piece kind for one side, as cell offsets.
    struct TPieceMoves {
        int StepCount;
        int SlideCount;
        int Steps[8];
        int Slides[4];
    };

    void                        BuildTables();
    template <int ASide> void   GenerateFor();
    template <int ASide> void   ScanFromKing(int AKing);
    template <int ASide> void   RecordCheck(int AChecker, int AKing, int AStep);
    template <int ASide> TMove* PieceMoves(TMove* ACursor, int AFrom, int APiece);
    template <int ASide> TMove* KingMoves(TMove* ACursor, int AKing);
    template <int ASide>
    TMove* Drops(TMove* ACursor, const std::uint8_t* ACells, int ACount, unsigned APawnFiles,
                 int AEnemyKing);
    // Whether a piece of AAttacker attacks ACell on the current cells.
    template <int AAttacker> bool AttackedBy(int ACell) const;
    // Whether ASide's pawn dropped on ACell, in front of the opponent's king, mates.
    template <int ASide> bool PawnDropMates(int ACell, int AEnemyKing);
    void                      KeepCaptures();
    // Priorities, the material score, and the winning-move score when a move mates at once.
    void Evaluate();
    bool HasMatingMove();
    void ClearMarks();

    TShogiPosition* FShogiPosition = nullptr;
    int             FStride = 0;
    int             FHeight = 0;
    // The eight directions; index k and k ^ 1 are opposite, 0 is the first player's forward,
    // 4 and above are diagonals.
    int FDirections[8]{};
    // Knight jumps of each side.
    int         FKnightJumps[2][2]{};
    TPieceMoves FPieceMoves[2][ShogiCodeCount]{};
    // [attacker][k][piece code as a byte]: a piece standing next to a cell in direction k attacks
    // it (Near), or, as the first piece met in direction k, slides to it (Far).
    bool FNear[2][8][256]{};
    bool FFar[2][8][256]{};
    // [side][kind][cell]: a pawn or lance (kind 1) or knight (kind 2) of the side could not move
    // again from the cell.
    bool          FDeadCell[2][3][256]{};
    std::uint16_t FFileBit[256]{};

    // -- state of the current Generate --
    int          FCheckers = 0;
    bool         FEvasion[256]{};
    std::uint8_t FMarked[16]{};
    int          FMarkedCount = 0;
    // Cells between a single sliding checker and the king: where a drop may interpose.
    std::uint8_t FBlockCells[16]{};
    int          FBlockCount = 0;
    // Per pinned piece, the step of its pin line (from the king); 0 when free.
    std::int8_t  FPinStep[256]{};
    std::uint8_t FPinnedCells[8]{};
    int          FPinnedCount = 0;
};
