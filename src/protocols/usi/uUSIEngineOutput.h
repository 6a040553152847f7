#pragma once

#include "protocols/uUCIEngineOutput.h"

#include <string>

// The UCI lines with the shogi differences: mate scores count plies ("mate 1" is the score
// 32766, "mate 2" 32765), and a side without a move answers "bestmove resign" (USI has no null
// move).
class TUSIEngineOutput final : public TUCIEngineOutput {
public:
    using TUCIEngineOutput::TUCIEngineOutput;

    std::string     ScoreToStr(TScore AScore, TScoreBound AScoreBound) override;
    TEngineProtocol Protocol() const override { return epUSI; }

protected:
    std::string NoBestMoveText() const override { return "resign"; }
};

// The USI text of a score: as in UCI, except that a mate is written as the plies to it.
std::string UsiScoreText(TScore AScore, TScoreBound AScoreBound);
