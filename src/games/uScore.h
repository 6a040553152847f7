#pragma once

#include "games/uPosition.h" // TScoreBound: how a search score bounds the true value

#include <cstdint>

// The one score scale of the game model and the engine. A score is from one side's point of
// view (a generator's evaluation from the first player's, a search score from the side to
// move's). Up to 32000 in magnitude it is centipawns; 32001..32766 win by mate (nearer 32766 =
// shorter), the negatives lose by mate; 32767 is infinity and -32768 means that there is no
// score.
using TScore = std::int16_t;

inline constexpr TScore ScoreMaxCentipawns = 32000;
inline constexpr TScore ScoreMateMin = 32001;
// A move that wins at once: mate in one ply.
inline constexpr TScore ScoreWinningMove = 32765;
// A game the rules have decided: won (or, negated, lost) now.
inline constexpr TScore ScoreMate = 32766;
inline constexpr TScore ScoreInfinity = 32767;
inline constexpr TScore ScoreNone = -32768;
