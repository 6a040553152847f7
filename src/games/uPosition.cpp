#include "games/uPosition.h"

#include "support/uTextHelpers.h"

#include <cassert>
#include <cstdio>

const char* const PieceLanguageNames[PieceLanguageCount] = {
    "Unicode",   "Czech",  "Danish",     "Dutch",     "English",   "Estonian",
    "Finnish",   "French", "German",     "Hungarian", "Icelandic", "Italian",
    "Norwegian", "Polish", "Portuguese", "Romanian",  "Spanish",   "Swedish"};

namespace {

// clang-format off
// Letters of pawn, knight, bishop, rook, queen, king; index 0 (Unicode) is unused here.
constexpr const char* ChessLetters[PieceLanguageCount] = {
    "",       // plUnicode
    "PJSVDK", // plCzech
    "BSLTDK", // plDanish
    "OPLTDK", // plDutch
    "PNBRQK", // plEnglish
    "PROVLK", // plEstonian
    "PRLTDK", // plFinnish
    "PCFTDR", // plFrench
    "BSLTDK", // plGerman
    "GHFBVK", // plHungarian
    "PRBHDK", // plIcelandic
    "PCATDR", // plItalian
    "BSLTDK", // plNorwegian
    "PSGWHK", // plPolish
    "PCBTDR", // plPortuguese
    "PCNTDR", // plRomanian
    "PCATDR", // plSpanish
    "BSLTDK", // plSwedish
};
// U+2659..U+2654 for the first player, U+265F..U+265A for the second.
constexpr const char* WhiteSymbols[6] = {"\u2659", "\u2658", "\u2657",
                                         "\u2656", "\u2655", "\u2654"};
constexpr const char* BlackSymbols[6] = {"\u265F", "\u265E", "\u265D",
                                         "\u265C", "\u265B", "\u265A"};
// clang-format on

} // namespace

std::string ChessPieceText(int APiece, TPieceLanguage ALanguage) {
    if (APiece == 0 || APiece > 6 || APiece < -6 || ALanguage >= PieceLanguageCount)
        return {};
    if (ALanguage == plUnicode)
        return APiece > 0 ? WhiteSymbols[APiece - 1] : BlackSymbols[-APiece - 1];
    const char letter = ChessLetters[ALanguage][(APiece > 0 ? APiece : -APiece) - 1];
    return std::string(1, APiece > 0 ? letter : LowerChar(letter));
}

void TPosition::Assign(const TPosition& ASource) {
    FLongDraw = ASource.FLongDraw;
    FMoveIndex = ASource.FMoveIndex;
    FSide = ASource.FSide;
    FHash = ASource.FHash;
}

std::string TPosition::PieceToString(int APiece, int ASide, TPieceLanguage APieceLanguage) const {
    return PieceToString(ASide == 1 ? -APiece : APiece, APieceLanguage);
}

int TPosition::StringToPiece(std::string_view ALine, std::size_t& AIndex, bool ABothSides,
                             TPieceLanguage APieceLanguage) const {
    if (AIndex >= ALine.size())
        return 0;
    for (int code = 1; code <= 127; ++code) {
        const std::string text = PieceToString(code, APieceLanguage);
        if (text.empty())
            return 0;
        const std::string_view s = ALine.substr(AIndex, text.size());
        bool                   match;
        bool                   lower = false;
        if (ABothSides) {
            const std::string upper = UpperCase(s);
            match = text == upper;
            lower = s != upper;
        } else {
            match = text == s;
        }
        if (match) {
            AIndex += text.size();
            return lower ? -code : code;
        }
    }
    return 0;
}

std::string TPosition::SelfCheck() const {
    if (!(FHash == GetHash()))
        return "the kept hash differs from the hash computed from scratch";
    return {};
}

#ifndef NDEBUG
void CheckPosition(const TPosition& APosition) {
    const std::string fault = APosition.SelfCheck();
    if (!fault.empty())
        std::fprintf(stderr, "Position self-check: %s\n", fault.c_str());
    assert(fault.empty() && "position self-check");
}
#endif
