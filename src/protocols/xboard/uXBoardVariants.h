#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TXBoardDescription;
class TGameVariant;

// xboard's name of a registered variant: the one its description gives, else its registry name
// in lower case.
std::string XBoardName(const TGameVariant& AVariant);
// The registered name of the variant a front end names AName: xboard's name or alias, or the
// registry's name, in any letter case. Empty when there is none.
std::string XBoardVariantRegistryName(std::string_view AName);
// xboard's names of the registered variants, comma-separated, in registry order, each
// followed by its alias.
std::string XBoardVariantsList();

// The lines that answer "variant" for an engine-defined variant starting from APosition (the
// engine's position string): "setup ..." and any "piece ..." lines. None for a variant xboard
// knows.
std::vector<std::string> XBoardSetupLines(const TXBoardDescription& AVariant,
                                          std::string_view          APosition);

// The shogi family's position strings and xboard's FEN of the same position: the board field is
// the same in both (the first player's pieces in capitals at the bottom), xboard puts the hands
// in brackets after the board, calls the first player "w" and counts moves, not plies.
std::string EngineToXBoardPosition(const TXBoardDescription& AVariant, std::string_view APosition);
// A chess FEN upside down with the colours exchanged (its own inverse).
std::string MirrorChessPosition(std::string_view AFen);
// "1-0 {White mates}" as "0-1 {Black mates}" and the other way round.
std::string MirrorResult(std::string_view AResult);
// A FEN xboard sent ("setboard"), as the engine reads it. Text that is not in the form xboard
// writes is passed on as it is, so that the engine refuses it in its own words.
std::string XBoardToEnginePosition(const TXBoardDescription& AVariant, std::string_view AFen);
