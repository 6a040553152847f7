#pragma once

#include <optional>
#include <string>
#include <string_view>

class TInternalEngine;

// The size of a board whose moves xboard writes in its own coordinates.
struct TXBoardBoardSize {
    int Width = 0;
    int Height = 0;
    // A chess board shown to xboard upside down with the colours exchanged (see
    // TXBoardDescription::Mirrored): ranks count from the other side, files stay.
    bool Mirrored = false;
};

// xboard writes the moves of the shogi family in chess coordinates: files from "a" on the first
// player's left, ranks from 1 on the first player's side, drops as "P@e5", "+" to promote and "="
// to decline a promotion. The engine writes them as USI does: files counted from the first
// player's right, ranks lettered from the second player's side, drops as "P*5e". Moves of other
// variants are the same in both.

// The board of the engine's current variant when its moves need translating; none otherwise.
std::optional<TXBoardBoardSize> XBoardTranslatedBoard(const TInternalEngine& AEngine);
// A move as xboard wrote it, as the engine reads it. A text that is no move is kept as it is, so
// that the engine refuses it in its own words.
std::string XBoardToEngineMove(std::string_view AMove, const TXBoardBoardSize& ABoard);
// A move as xboard wrote it, as AEngine reads it in its current variant.
std::string XBoardToEngineMove(const TInternalEngine& AEngine, std::string_view AMove);
// A move as the engine wrote it, as xboard reads it.
std::string EngineToXBoardMove(std::string_view AMove, const TXBoardBoardSize& ABoard);
// Every blank-separated move of a line.
std::string EngineToXBoardLine(std::string_view ALine, const TXBoardBoardSize& ABoard);
