#pragma once

#include "games/uPosition.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMoveGenerator;

// The family whose pieces, position strings and move texts a variant uses.
enum TGameFamily : std::uint8_t { gfChess, gfShogi };

// Reads a position string into Position() (not owned).
class ICustomParser {
public:
    virtual ~ICustomParser() = default;
    virtual void       Parse(std::string_view AText) = 0;
    virtual TPosition* Position() const = 0;
    virtual void       SetPosition(TPosition* AValue) = 0;
};

// Writes the position string of Position() (not owned).
class ICustomWriter {
public:
    virtual ~ICustomWriter() = default;
    virtual std::string AsString() = 0;
    virtual TPosition*  Position() const = 0;
    virtual void        SetPosition(TPosition* AValue) = 0;
};

class TCustomForsythEdwardsNotationParser : public ICustomParser {
public:
    TPosition* Position() const override { return FPosition; }
    void       SetPosition(TPosition* AValue) override { FPosition = AValue; }

protected:
    TPosition* FPosition = nullptr;
};

class TCustomForsythEdwardsNotationWriter : public ICustomWriter {
public:
    TPosition* Position() const override { return FPosition; }
    void       SetPosition(TPosition* AValue) override { FPosition = AValue; }

protected:
    TPosition* FPosition = nullptr;
};

// What xboard must know of a variant: its name there, and for a variant xboard has no rules or
// board of its own for, what the engine tells it after "variant": a "setup" line with the piece
// letters, the board size, the holdings and the start position, and "piece" lines for pieces
// that do not move as xboard's pieces of that letter do.
struct TXBoardDescription {
    // The name in xboard's menu and in "variant"; for the shogi family on small boards the
    // board-size form WxH+HOLDINGS_shogi, which xboard reads as shogi on that board.
    std::string_view Name{};
    // Another name xboard may send: the small shogi boards are also engine-defined variants
    // under their own names, for a front end that is not told the board size.
    std::string_view Alias{};
    int              Width = 8;
    int              Height = 8;
    // Kinds of pieces in each hand.
    int Holdings = 0;
    // The variant whose rules xboard applies to an engine-defined one; empty when xboard knows
    // the variant itself and needs no setup.
    std::string_view Parent{};
    // xboard's table from its piece types to letters, the first player's half, then the second's.
    std::string_view PieceTable{};
    // "LETTER& BETZA" for each piece xboard must be told the moves of.
    std::vector<std::string_view> Pieces{};
    // Files counted from the first player's right and ranks lettered from the far side, as the
    // shogi family writes squares; xboard counts both from the first player's bottom left.
    bool ShogiCoordinates = false;
    // xboard starts every game it is given by "setup" with White: a variant in which Black moves
    // first is shown to it upside down with the colours exchanged, and moves, positions and
    // results are mirrored on the way.
    bool Mirrored = false;
};

// A count that established engines give for the variant: the leaves Depth plies below Position,
// a position string of the variant (its start position when empty).
struct TPerftReference {
    std::string_view Position{};
    std::int32_t     Depth = 0;
    std::uint64_t    Nodes = 0;
};

// How a variant presents itself to the front ends and to the tests, declared once by each
// variant: the protocols and the tests read it and name no variant themselves.
struct TGameVariantDescription {
    // The registry's name, also the variant's UCI_Variant value.
    std::string_view Name{};
    std::string_view Caption{};
    // A public description of the rules, for information; may be empty.
    std::string_view URL{};
    TGameFamily      Family = gfChess;
    // More names front ends give the variant, in UCI_Variant.
    std::vector<std::string_view> Aliases{};
    // The start position is drawn at random for each game.
    bool RandomSetup = false;
    // The king and the rooks may start on any file, so that castling is written as the king
    // taking its own rook (UCI) or as O-O (xboard).
    bool FischerRandomCastling = false;
    // The variant UCI_Chess960 stands for.
    bool               Chess960 = false;
    TXBoardDescription XBoard;
    // Counts to test the variant's move generation by; at least one.
    std::vector<TPerftReference> Perft{};
};

// The factory of everything game-specific: start position, move generator, position-string
// parser and writer. Variants live in the registry for the whole process; the engine only
// points to the current one. Factories are called from one thread at a time.
class TGameVariant {
public:
    TGameVariant() = default;
    virtual ~TGameVariant() = default;
    TGameVariant(const TGameVariant&) = delete;
    TGameVariant& operator=(const TGameVariant&) = delete;

    // 0 "White", 1 "Black", others "Player" and the 1-based number.
    virtual std::string                     SideColorToString(int AIndex) const;
    virtual std::unique_ptr<TPosition>      CreateStartPosition() = 0;
    virtual std::unique_ptr<TMoveGenerator> CreateMoveGenerator() = 0;
    virtual std::shared_ptr<ICustomParser>  CreateForsythEdwardsNotationParser();
    virtual std::shared_ptr<ICustomWriter>  CreateForsythEdwardsNotationWriter();
    // No variant decides this; calling it is a programming error.
    virtual TGameTermination GetStalemateGameTermination();

    // What front ends and tests know of the variant.
    const TGameVariantDescription& Description() const { return FDescription; }
    // Protocols offer the variants of the families they speak.
    TGameFamily        Family() const { return FDescription.Family; }
    const std::string& Name() const { return FName; }
    const std::string& Caption() const { return FCaption; }
    const std::string& URL() const { return FURL; }

protected:
    // Each variant's constructor declares it; the texts are the program's literals.
    void SetDescription(TGameVariantDescription ADescription);

private:
    TGameVariantDescription FDescription;
    std::string             FName;
    std::string             FCaption;
    std::string             FURL;
};

class TBoardGameVariant : public TGameVariant {};

// The error of an operation no class implements.
[[noreturn]] void RaiseAbstractError();
