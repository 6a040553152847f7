#pragma once

#include "games/uGameVariant.h"

#include <array>
#include <string_view>

class TChessBoard;

// Reads a shogi position string (SFEN): the board from the second player's side (rank a) down,
// each row from file 9 (the first player's left), digits for empty cells and "+" before a
// promoted piece; the side to move, "b" or "w"; the hands, "-" or counts and letters (upper
// case for the first player, "2Pp"); the move number, counting plies from 1. Hands and move
// number may be left out (empty, 1). The board's size comes from the text. The string is read
// into a copy of the position; only a complete success replaces the target, hash included.
//
// A position the variant's rules make impossible is refused: a board of another size than the
// start board, more pieces of a kind (on the board, promoted or not, and in both hands) than the
// start board holds, not exactly one king per side, two unpromoted pawns of a side on one file,
// or a piece on a row it could never leave.
class TShogiForsythEdwardsNotationParser final : public TCustomForsythEdwardsNotationParser {
public:
    void Parse(std::string_view AText) override;
    // The variant's start board gives its size and its set of pieces; without it any size and
    // the counts of the largest set are allowed.
    void SetStartBoard(const TChessBoard& ABoard);

private:
    int                 FWidth = 0;
    int                 FHeight = 0;
    std::array<int, 16> FMaximalCount{};
};
