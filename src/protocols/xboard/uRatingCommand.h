#pragma once

#include "engine/uEngineCommand.h"

#include <cstdint>
#include <string>
#include <string_view>

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
