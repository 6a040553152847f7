#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct TMove;
class IOutputSink;

// A position key, built and updated only by XOR. Index picks a hash-table slot, Code verifies.
struct THash {
    std::uint32_t Index = 0;
    std::uint64_t Code = 0;

    void Clear() {
        Index = 0;
        Code = 0;
    }
    // XORs both fields of AHash into this hash.
    void Swap(const THash& AHash) {
        Index ^= AHash.Index;
        Code ^= AHash.Code;
    }
    friend bool operator==(const THash&, const THash&) = default;
};

// Languages of piece letters; English is the language of every position string, move text and
// board diagram.
enum TPieceLanguage : std::uint8_t {
    plUnicode,
    plCzech,
    plDanish,
    plDutch,
    plEnglish,
    plEstonian,
    plFinnish,
    plFrench,
    plGerman,
    plHungarian,
    plIcelandic,
    plItalian,
    plNorwegian,
    plPolish,
    plPortuguese,
    plRomanian,
    plSpanish,
    plSwedish
};
constexpr int            PieceLanguageCount = 18;
extern const char* const PieceLanguageNames[PieceLanguageCount];

// The chess letters of codes 1 pawn .. 6 king in AlLanguage (upper case), or the Unicode symbol
// of a signed chess code (1..6 white, -1..-6 black). Empty for code 0 or an unknown code.
std::string ChessPieceText(int APiece, TPieceLanguage ALanguage);

enum TGameResult : std::uint8_t { grUnknown, grWhiteWin, grDraw, grBlackWin };
enum TResultCause : std::uint8_t {
    rcMates,
    rcNoPiece,
    rcLowMaterial,
    rcStalemate,
    rcRepetition,
    rcFiftyMoves,
    rcTimeUp,
    rcOfferDraw,
    rcResign,
    rcAbadoned,
    rcAdjudication,
    rcDeath,
    rcEmergency,
    rcRulesInfraction
};
struct TGameTermination {
    TGameResult  Result = grUnknown;
    TResultCause Cause = rcMates;
};
enum TScoreBound : std::uint8_t { sbNone, sbExact, sbLower, sbUpper };

// The abstract position every consumer outside the game model works with. A position is used by
// one thread at a time; perft workers and the engine each own their own (see Clone).
class TPosition {
public:
    TPosition() = default;
    virtual ~TPosition() = default;
    TPosition(const TPosition&) = delete;
    TPosition& operator=(const TPosition&) = delete;

    // Copies the side to move, clocks and hash; derived classes copy their own state after it.
    virtual void        Assign(const TPosition& ASource);
    virtual std::string SideColorToString(int APlayerIndex) const = 0;
    // Text of a signed piece code; depends only on the class. 0 gives an empty text.
    virtual std::string PieceToString(int APiece, TPieceLanguage APieceLanguage) const = 0;
    virtual int         GetRemainMoveCount() const { return 35; }
    // The key computed from scratch; Hash() is the incrementally kept one.
    virtual THash GetHash() const = 0;
    virtual void  DoMove(const TMove& AMove) = 0;
    // Passes the move without moving a piece.
    virtual void NextSideToPlay() = 0;
    // Saves an undo record, then plays the move. Pairs with RevertMove, strictly nested.
    virtual void MakeRevertableMove(const TMove& AMove) = 0;
    virtual void RevertMove(const TMove& AMove) = 0;
    // Draws the board diagram.
    virtual void        WriteToConsole(IOutputSink& ASink) const = 0;
    virtual std::string MoveToString(const TMove& AMove) const = 0;
    // Parses coordinate notation; the record is owned by the caller. Reads only.
    virtual std::unique_ptr<TMove>     StringToMove(std::string_view AText) const = 0;
    virtual std::unique_ptr<TPosition> Clone() const = 0;
    // How castling moves are written: as O-O strings, as the king taking its own rook, or (both
    // false) as the king's two-file step. Reading takes every form; a game without castling
    // ignores it.
    virtual void SetCastlingText(bool /*AUseCastleStrings*/, bool /*AKingTakesRook*/) {}

    // What is wrong with the state kept move by move, measured against the state computed from
    // scratch and the rules of the board; empty when nothing is. Tests run it after every make
    // and revert; Debug, sanitizer and fuzz builds assert it there (CheckPosition).
    virtual std::string SelfCheck() const;

    void InitializeHash() { FHash = GetHash(); }
    // APiece as seen by ASide: negated for side 1.
    std::string PieceToString(int APiece, int ASide, TPieceLanguage APieceLanguage) const;
    // Reads a piece text at AIndex (0-based) and advances past it; 0 when none matches (the index
    // then stays). With ABothSides a lower-case text means the second player (negative code).
    int StringToPiece(std::string_view ALine, std::size_t& AIndex, bool ABothSides,
                      TPieceLanguage APieceLanguage) const;

    std::uint32_t LongDraw() const { return FLongDraw; }
    std::int32_t  MoveIndex() const { return FMoveIndex; }
    std::uint8_t  Side() const { return FSide; }
    const THash&  Hash() const { return FHash; }
    void          SetLongDraw(std::uint32_t AValue) { FLongDraw = AValue; }
    void          SetMoveIndex(std::int32_t AValue) { FMoveIndex = AValue; }
    void          SetSide(std::uint8_t AValue) { FSide = AValue; }
    void          SetHash(const THash& AValue) { FHash = AValue; }

protected:
    std::uint32_t FLongDraw = 0;
    std::int32_t  FMoveIndex = 0;
    std::uint8_t  FSide = 0;
    THash         FHash;
};

// Asserts the position's self-check where assertions are on; nothing in Release builds, so it
// may stand on the hot paths right after a make or a revert.
#ifdef NDEBUG
inline void CheckPosition(const TPosition& /*APosition*/) {}
#else
void CheckPosition(const TPosition& APosition);
#endif
