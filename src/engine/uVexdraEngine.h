#pragma once

#include "engine/uMyInternalEngine.h"
#include "games/uScore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TKvRandomGenerator;
class TMoveList;

// The engine the program ships. Asked to move, it plays at once a legal move chosen uniformly at
// random among the moves the request's root-move filter accepts, among the captures only when
// the position has one. It offers three options: "Contempt Value", "Threads" and "Perft Hash".
class TVexdraEngine final : public TMyInternalEngine {
public:
    TVexdraEngine();
    ~TVexdraEngine() override;

    // Chooses, reports and gives the move before it returns; the null move when nothing is
    // accepted. A failure still ends the search with its best move before it propagates.
    void        Start() override;
    std::string GetCurrentLine() override { return {}; }

    // The moves of AList the root-move filter accepts, only its captures when ACapturesOnly.
    std::uint32_t CountAcceptedMoves(TMoveList& AList, bool ACapturesOnly = false);
    // The text of the accepted move number AIndex (from 0, in list order), counted as
    // CountAcceptedMoves counts.
    std::string SelectAcceptedMove(TMoveList& AList, std::uint32_t AIndex,
                                   bool ACapturesOnly = false);
    // Makes AMove the one-move analysis line and the best move, with AScore from the view of the
    // side to move, and shows it.
    void ReportMove(std::string_view AMove, TScore AScore);

    TKvRandomGenerator& RandomGenerator() const { return *FRandomGenerator; }

private:
    std::unique_ptr<TKvRandomGenerator> FRandomGenerator;
};
