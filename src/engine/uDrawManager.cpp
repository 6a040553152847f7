#include "engine/uDrawManager.h"

TDrawManager::TDrawManager(TRandomRange ARandomRange)
    : FRandomGenerator(std::move(ARandomRange)), FOwnGenerator(std::random_device{}()) {
    if (!FRandomGenerator)
        FRandomGenerator = [this](std::uint64_t ARange) {
            return std::uniform_int_distribution<std::uint64_t>(0, ARange - 1)(FOwnGenerator);
        };
}

void TDrawManager::Clear() {
    FAcceptDraw = false;
    FOfferDraw = false;
}

std::uint64_t TDrawManager::OfferProbabilityFor(std::int32_t ANegatedScore) {
    // Not monotonic on purpose: a moderately bad score offers most eagerly.
    const std::int32_t x = ANegatedScore;
    if (x < 50)
        return 5000;
    if (x < 75)
        return 300;
    if (x < 90)
        return 50;
    if (x < 110)
        return 7;
    if (x < 125)
        return 13;
    if (x < 175)
        return 20;
    if (x < 250)
        return 50;
    if (x < 500)
        return 250;
    return 1000;
}

void TDrawManager::Update(TScore AScore) {
    if (AScore == ScoreNone)
        return;
    if (AScore > FContemptValue) {
        FAcceptDraw = false;
        FOfferDraw = false;
        FOfferProbability = 0;
        return;
    }
    FAcceptDraw = true;
    FOfferProbability = OfferProbabilityFor(-static_cast<std::int32_t>(AScore));
    FOfferDraw = FRandomGenerator(FOfferProbability) == 0;
}
