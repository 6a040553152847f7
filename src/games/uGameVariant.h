#pragma once

#include "games/uPosition.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

    // Protocols offer the variants of the families they speak.
    TGameFamily        Family() const { return FFamily; }
    void               SetFamily(TGameFamily AValue) { FFamily = AValue; }
    const std::string& Name() const { return FName; }
    const std::string& Caption() const { return FCaption; }
    const std::string& URL() const { return FURL; }
    void               SetName(std::string_view AValue) { FName = AValue; }
    void               SetCaption(std::string_view AValue) { FCaption = AValue; }
    void               SetURL(std::string_view AValue) { FURL = AValue; }

private:
    std::string FName;
    std::string FCaption;
    std::string FURL;
    TGameFamily FFamily = gfChess;
};

class TBoardGameVariant : public TGameVariant {};

// The error of an operation no class implements.
[[noreturn]] void RaiseAbstractError();
