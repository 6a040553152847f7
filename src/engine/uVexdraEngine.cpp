#include "engine/uVexdraEngine.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineOutput.h"
#include "engine/uRootMoves.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uRandomGenerator.h"

#include <algorithm>

namespace {

// The generator's evaluation (first player minus second) from the view of the side to move.
TScore SideToMoveScore(std::int16_t AScore, int ASide) {
    // The variant generators mark a move that wins at once for the side to move.
    if (AScore == ScoreWinningMove || AScore == ScoreNone)
        return AScore;
    const int score = std::clamp<int>(AScore, -ScoreMaxCentipawns, ScoreMaxCentipawns);
    return static_cast<TScore>(ASide == 1 ? -score : score);
}

} // namespace

TVexdraEngine::TVexdraEngine() : FRandomGenerator(std::make_unique<TKvRandomGenerator>()) {
    // The other options keep existing with their defaults, neither announced nor settable.
    Options().DeleteAll();
    Options().Add(CommonOptions().ContemptValue());
    Options().Add(Threads());
    Options().Add(PerftHash());
}

TVexdraEngine::~TVexdraEngine() {
    // The perft thread ends with a virtual call on this engine: it must be over before the
    // engine starts to take itself apart.
    StopPerft();
}

void TVexdraEngine::Start() {
    TMyInternalEngine::Start();
    try {
        TMoveGenerator& generator = MoveGenerator();
        generator.SetPosition(&Position());
        TMoveListGuard guard(generator);
        TMoveList&     list = guard.List();
        // The choice is among the captures when the position has one; the generator keeps
        // listing by the variant's own rules.
        const bool          capturesOnly = std::any_of(list.begin(), list.end(), TakesPiece);
        const std::uint32_t count = CountAcceptedMoves(list, capturesOnly);
        if (count >= 1) {
            const std::uint32_t index = FRandomGenerator->RangeU4(count - 1);
            ReportMove(SelectAcceptedMove(list, index, capturesOnly),
                       SideToMoveScore(generator.Score(), Position().Side()));
        }
    } catch (const Exception&) {
        // The search clock runs since the start; without its best move the engine would stay
        // busy for good.
        DoBestMove();
        throw;
    }
    DoBestMove();
}

std::uint32_t TVexdraEngine::CountAcceptedMoves(TMoveList& AList, bool ACapturesOnly) {
    if (RootMoves().AcceptAll() && !ACapturesOnly)
        return AList.Count;
    const bool    acceptAll = RootMoves().AcceptAll();
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < AList.Count; ++i) {
        const TMove& move = *AList.Get(i);
        if ((!ACapturesOnly || TakesPiece(move)) &&
            (acceptAll || RootMoves().AcceptMove(Position().MoveToString(move))))
            ++count;
    }
    return count;
}

std::string TVexdraEngine::SelectAcceptedMove(TMoveList& AList, std::uint32_t AIndex,
                                              bool ACapturesOnly) {
    const bool    acceptAll = RootMoves().AcceptAll();
    std::uint32_t accepted = 0;
    for (std::uint32_t i = 0; i < AList.Count; ++i) {
        const TMove& move = *AList.Get(i);
        if (ACapturesOnly && !TakesPiece(move))
            continue;
        std::string text = Position().MoveToString(move);
        if (!acceptAll && !RootMoves().AcceptMove(text))
            continue;
        if (accepted == AIndex)
            return text;
        ++accepted;
    }
    throw Exception("Can not select random move.");
}

void TVexdraEngine::ReportMove(std::string_view AMove, TScore AScore) {
    const TSubtreeStatus status{AScore, sbExact, vcNone, 1};
    AnalysisInfo().AddAnalysis(status, {std::string(AMove)});
    if (Output() != nullptr)
        Output()->DrawAMoves();
}
