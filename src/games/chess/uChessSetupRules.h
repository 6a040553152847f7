#pragma once

#include <array>
#include <cstdint>

class TChessBoard;
class TChessPosition;

// What the rules of a chess variant make impossible in a position, checked once when a position
// string is set up (never while moves are made). Each variant states its own; the defaults are
// those of chess.
struct TChessSetupRules {
    // The kings a side has: exactly one (royal), none (an army of pawns), any number (kings that
    // may be captured and promoted to).
    enum TKings : std::uint8_t { skOne, skNone, skAny, skAtMostOne };
    TKings Kings[2] = {skOne, skOne};
    // Pawns of a side that start on, and double-step from, their own first row.
    bool PawnsOnFirstRow[2] = {false, false};
    // The army of pawns may be either side: the side without a king (the other has exactly
    // one), whose pawns may stand on its first row. Kings and PawnsOnFirstRow are then unused.
    bool EitherSideIsTheArmy = false;
    // A set without pawns.
    bool NoPawns = false;
    // The side not to move may not be in check (its king would be taken at once); a variant
    // where kings may touch or be taken says false.
    bool OpponentNotInCheck = true;
    // Neither side may be in check, since no move may give check.
    bool NoChecks = false;
    // Pieces on the board and in both hands, where captured pieces change sides: 0 is no limit.
    int MaximalPieces = 0;
    int MaximalPawns = 0;
    // The board of the variant (0: any); a position on another is refused.
    int Width = 0;
    int Height = 0;
    // Every piece beyond a side's set at the start must have been a pawn of that side (with
    // the sets of StartSet, by piece code). The variant sets both from its start board.
    bool                              BoundPromotions = false;
    std::array<std::array<int, 7>, 2> StartSet{};
};

// Raises EConvertError with the first rule the position breaks.
void CheckChessSetup(const TChessPosition& APosition, const TChessSetupRules& ARules);
// Raises EConvertError when the board is not the variant's (its first rule, checked as soon as
// the board is read).
void CheckChessBoardSize(const TChessBoard& ABoard, const TChessSetupRules& ARules);
