#pragma once

#include "games/uScore.h"

#include <cstdint>
#include <functional>
#include <random>

// Decides after a search whether the engine offers or accepts a draw. At or below the contempt
// value it accepts a draw and offers one with a chance of one in N, N taken from a table of
// how bad the score is. Used on the thread that ends a search.
class TDrawManager final {
public:
    // A uniform integer in [0, ARange); ARange > 0.
    using TRandomRange = std::function<std::uint64_t(std::uint64_t ARange)>;

    // Without a random source the manager uses its own generator.
    explicit TDrawManager(TRandomRange ARandomRange = {});
    TDrawManager(const TDrawManager&) = delete;
    TDrawManager& operator=(const TDrawManager&) = delete;

    // Both flags off; the probability stays.
    void Clear();
    // AScore from the engine's point of view; no score (-32768) changes nothing.
    void   Update(TScore AScore);
    void   SetContemptValue(TScore AValue) { FContemptValue = AValue; }
    TScore ContemptValue() const { return FContemptValue; }
    bool   AcceptDraw() const { return FAcceptDraw; }
    bool   OfferDraw() const { return FOfferDraw; }
    // The N of a one-in-N chance; 0 when no draw is wanted.
    std::uint64_t OfferProbability() const { return FOfferProbability; }

    // The N for a score that is x = -AScore below zero.
    static std::uint64_t OfferProbabilityFor(std::int32_t ANegatedScore);

private:
    TRandomRange    FRandomGenerator;
    std::mt19937_64 FOwnGenerator;
    bool            FAcceptDraw = false;
    bool            FOfferDraw = false;
    TScore          FContemptValue = 0;
    std::uint64_t   FOfferProbability = 0;
};
