#pragma once

#include "app/uCustomCommand.h"
#include "protocols/uci/uSetOptionCommand.h"

#include <cstdint>
#include <string>
#include <string_view>

// The XBoard commands that set engine options and the output's thinking switch.

// "option NAME=VALUE": the engine option NAME (names ignore case) takes VALUE from its text
// form; "option NAME" presses a button. The option keeps its value when it refuses the text.
// "NalimovCache" and "NalimovPath", which adapters send to every engine, are ignored; any other
// unknown name raises "Option 'NAME' not found.".
class TOptionCommand final : public TCommonSetOptionCommand {
public:
    TOptionCommand();
    std::string GetSyntax() const override { return "Name[=Value]"; }
    void        Execute(std::string_view AParameters) override;
};

// "random": toggles "Random Play".
class TRandomCommand final : public TSimpleEngineCommand {
public:
    TRandomCommand();

protected:
    void ExecuteNoParam() override;
};

// "hard" and "easy": pondering on and off ("Ponder").
class THardCommand final : public TSimpleEngineCommand {
public:
    THardCommand();

protected:
    void ExecuteNoParam() override;
};

class TEasyCommand final : public TSimpleEngineCommand {
public:
    TEasyCommand();

protected:
    void ExecuteNoParam() override;
};

// "post" and "nopost": thinking output on and off.
class TPostCommand final : public TSimpleEngineCommand {
public:
    TPostCommand();

protected:
    void ExecuteNoParam() override;
};

class TNoPostCommand final : public TSimpleEngineCommand {
public:
    TNoPostCommand();

protected:
    void ExecuteNoParam() override;
};

// "rating OWN OPPONENT": the contempt from the rating difference, told to the front end and
// stored in "Contempt Value".
class TRatingCommand final : public TEngineCommand {
public:
    TRatingCommand();
    std::string GetSyntax() const override { return "[OwnRating OpponentRating]"; }
    void        Execute(std::string_view AParameters) override;
};

// The contempt for the two ratings: 0 when either is unknown (0); 50 or 20 against an opponent
// rated more than 350 or 200 points lower, -50 or -20 against one rated that much higher.
std::int32_t ContemptForRatings(std::int64_t AOwnRating, std::int64_t AOpponentRating);
