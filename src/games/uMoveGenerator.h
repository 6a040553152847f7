#pragma once

#include "games/uMoveList.h"
#include "games/uPosition.h"
#include "games/uScore.h"

#include <cstddef>
#include <cstdint>

class IOutputSink;

// Produces the move lists of one position for the side to move. Owns its move stack; does not
// own the position. Used by one thread at a time: every perft worker has its own generator.
class TMoveGenerator {
public:
    static constexpr TScore NoScore = ScoreNone;

    TMoveGenerator() = default;
    virtual ~TMoveGenerator() = default;
    TMoveGenerator(const TMoveGenerator&) = delete;
    TMoveGenerator& operator=(const TMoveGenerator&) = delete;

    virtual void SetPosition(TPosition* AValue) { FPosition = AValue; }
    // A new list on top of the move stack, filled with the moves of Position(). Pair every call
    // with one RemovePrevious (TMoveListGuard does it).
    virtual TMoveList* Generate();
    virtual void       UpdateScore() {}
    // Prints the terms of the last evaluation; nothing for a generator without them.
    virtual void ScoreToOutput(IOutputSink& /*ASink*/) {}

    void RemovePrevious() { FMoveStack.RemovePrevious(); }

    std::int16_t Score() const { return FScore; }
    void         SetScore(std::int16_t AValue) { FScore = AValue; }
    TPosition*   Position() const { return FPosition; }
    TMoveStack&  MoveStack() { return FMoveStack; }

    // How the game ends when the last Generate listed no move, by the rules of the generator's
    // variant. Here: the side to move has lost, in check or not, as in the shogi family.
    virtual TGameTermination NoMoveTermination() const;

    // Only captures are listed when the position has one (the shipped engine, giveaway); a
    // generator without the rule lists every move.
    bool         MustCapture() const { return FMustCapture; }
    virtual void SetMustCapture(bool AValue) { FMustCapture = AValue; }
    // Perft mode lists the same moves in the same order but skips what only the engine reads:
    // move priorities, the evaluation (Score stays NoScore) and the mover's attack map.
    bool PerftMode() const { return FPerftMode; }
    void SetPerftMode(bool AValue) { FPerftMode = AValue; }

protected:
    // The most moves one list of this generator can hold; bounds the arena check.
    std::size_t  FMaxListMoves = 256;
    std::int16_t FScore = NoScore;
    TPosition*   FPosition = nullptr;
    TMoveStack   FMoveStack;
    bool         FMustCapture = false;
    bool         FPerftMode = false;
};

// Generate ... RemovePrevious, also on exceptions.
class TMoveListGuard {
public:
    explicit TMoveListGuard(TMoveGenerator& AGenerator)
        : FGenerator(AGenerator), FList(AGenerator.Generate()) {}
    ~TMoveListGuard() { FGenerator.RemovePrevious(); }
    TMoveListGuard(const TMoveListGuard&) = delete;
    TMoveListGuard& operator=(const TMoveListGuard&) = delete;
    TMoveList&      List() { return *FList; }

private:
    TMoveGenerator& FGenerator;
    TMoveList*      FList;
};
