#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How xboard knows each variant of the registry: its name there, and for the variants xboard
// has no rules or board of its own for, what the engine tells it after "variant": a "setup" line
// with the piece letters, the board size, the holdings and the start position, and "piece" lines
// for pieces that do not move as xboard's pieces of that letter do.
struct TXBoardVariant {
    // The registry's name.
    std::string_view Name;
    // The name in xboard's menu and in "variant"; for the shogi family on small boards the
    // board-size form WxH+HOLDINGS_shogi, which xboard reads as shogi on that board.
    std::string_view XBoardName;
    // Another name xboard may send: the shogi family's small boards are also engine-defined
    // variants under their own names, for a front end that is not told the board size.
    std::string_view Alias;
    int              Width = 8;
    int              Height = 8;
    // Kinds of pieces in each hand.
    int Holdings = 0;
    // The variant whose rules xboard applies to an engine-defined one; empty when xboard knows
    // the variant itself and needs no setup.
    std::string_view Parent;
    // xboard's table from its piece types to letters, white's half then black's.
    std::string_view PieceTable;
    // "LETTER& BETZA" for each piece xboard must be told the moves of.
    std::vector<std::string_view> Pieces;
    // Files counted from the first player's right and ranks lettered from the far side, as the
    // shogi family writes squares; xboard counts both from the first player's bottom left.
    bool ShogiCoordinates = false;
    // xboard starts every game it is given by "setup" with White: a variant in which Black moves
    // first is shown to it upside down with the colours exchanged, and moves, positions and
    // results are mirrored on the way.
    bool Mirrored = false;
    // The variant's start position is drawn at random for each game.
    bool RandomSetup = false;
};

// The xboard description of a registered variant; null for a name the table does not know.
const TXBoardVariant* FindXBoardVariant(std::string_view ARegistryName);
// The registered name of the variant a front end names AName: xboard's name or the registry's,
// in any letter case. Empty when there is none.
std::string XBoardVariantRegistryName(std::string_view AName);
// xboard's names of the registered variants, comma-separated, in registry order.
std::string XBoardVariantsList();

// The lines that answer "variant" for an engine-defined variant starting from APosition (the
// engine's position string): "setup ..." and any "piece ..." lines. None for a variant xboard
// knows.
std::vector<std::string> XBoardSetupLines(const TXBoardVariant& AVariant,
                                          std::string_view      APosition);

// The shogi family's position strings and xboard's FEN of the same position: the board field is
// the same in both (the first player's pieces in capitals at the bottom), xboard puts the hands
// in brackets after the board, calls the first player "w" and counts moves, not plies.
std::string EngineToXBoardPosition(const TXBoardVariant& AVariant, std::string_view APosition);
// A chess FEN upside down with the colours exchanged (its own inverse).
std::string MirrorChessPosition(std::string_view AFen);
// "1-0 {White mates}" as "0-1 {Black mates}" and the other way round.
std::string MirrorResult(std::string_view AResult);
// A FEN xboard sent ("setboard"), as the engine reads it. Text that is not in the form xboard
// writes is passed on as it is, so that the engine refuses it in its own words.
std::string XBoardToEnginePosition(const TXBoardVariant& AVariant, std::string_view AFen);
