#pragma once

#include "games/chess/uChessPosition.h"
#include "games/chess/uChessSetupRules.h"
#include "games/uGameVariant.h"

#include <cstddef>
#include <string>
#include <string_view>

class TForsythEdwardsNotation {
public:
    // The first character of a side's display name, in lower case ("White" gives w); 0 if empty.
    static char SideColorToChar(std::string_view ASideString);
};

// Reads a position string on any rectangular board: board rows ("_" a hole, "?" an empty cell,
// "~" after a piece marks it as promoted), optional holdings in brackets, side, castling (KQkq
// for the outermost rooks, or rook column letters), en passant square, the three-check counters
// ("3+3" here, or "+0+0" after the clocks), clocks. The string is read into a copy of the position;
// only a complete success replaces the target (hash included), so a bad string changes nothing.
class TChessForsythEdwardsNotationParser : public TCustomForsythEdwardsNotationParser {
public:
    void Parse(std::string_view AText) override;
    // The rules of the variant whose positions are read; chess when not set.
    void SetRules(const TChessSetupRules& ARules) { FRules = ARules; }
    // Reads the whole sequence into Position() directly (no copy); a failure may leave it partly
    // set. AIndex is 0-based and advanced.
    void FENStrToPos(std::string_view ALine, std::size_t& AIndex);

protected:
    void         ReadFields(std::string_view ALine, std::size_t& AIndex);
    virtual void ReadMoveNumber(std::string_view ALine, std::size_t& AIndex);
    virtual void ReadBoard(std::string_view ALine, std::size_t& AIndex);
    virtual void ReadHoldings(std::string_view ALine, std::size_t& AIndex);
    void         ReadSideToMove(std::string_view ALine, std::size_t& AIndex);
    void         ReadCastles(std::string_view ALine, std::size_t& AIndex);
    void         ReadEnPassant(std::string_view ALine, std::size_t& AIndex);
    void         ReadLongDraw(std::string_view ALine, std::size_t& AIndex);
    // The three-check counters, "3+3" (checks still to give) or "+0+0" (checks given); read in
    // every variant, kept only by a three-check position.
    static bool IsCheckCountField(std::string_view ALine, std::size_t AIndex);
    void        ReadCheckCounts(std::string_view ALine, std::size_t& AIndex);
    // A column letter: the player's rook on that column of its back row; false when there is
    // none or the king is not on its back row.
    bool SetCastleRook(int APlayer, int AColumn);
    // K or Q: the outermost rook of the player on that side of its king; false as above.
    bool SetOutermostCastleRook(int APlayer, int ACastleType);
    // The position being read: a copy of Position() during Parse.
    TChessPosition& Target() const { return *FChessPosition; }

    TCastles         FCastles{};
    TChessSetupRules FRules;
    TChessPosition*  FChessPosition = nullptr;
};
