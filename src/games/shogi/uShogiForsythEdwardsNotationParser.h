#pragma once

#include "games/uGameVariant.h"

#include <string_view>

// Reads a shogi position string (SFEN): the board from the second player's side (rank a) down,
// each row from file 9 (the first player's left), digits for empty cells and "+" before a
// promoted piece; the side to move, "b" or "w"; the hands, "-" or counts and letters (upper
// case for the first player, "2Pp"); the move number, counting plies from 1. Hands and move
// number may be left out (empty, 1). The board's size comes from the text. The string is read
// into a copy of the position; only a complete success replaces the target, hash included.
class TShogiForsythEdwardsNotationParser final : public TCustomForsythEdwardsNotationParser {
public:
    void Parse(std::string_view AText) override;
};
