#pragma once

#include "engine/uInternalEngine.h"
#include "games/uMoveList.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGameVariant;
class THashTable;
class TMoveGenerator;
class TNumericalIntervalArgument;
class TPerftCalculatorThreads;
class TPosition;
class TSwitchArgument;

// The framework made a working engine for the registered variants, without a search: it owns
// the current position with its move generator and the stack of played moves, the perft hash
// table and the running perft, and answers the console diagnostics.
//
// Moves from a front end are played only when they are legal, and a position, position string
// or move that is refused leaves the game as it was. A perft runs on its own threads with its own
// copy of the position; everything that would pull the table, the output or the variant from
// under it (a new perft, a new position, a variant change, a new output, destruction) first ends
// it and waits for it. The perft's end calls the virtual OnStop from the perft thread, so a
// derived engine calls StopPerft first thing in its destructor. Commands use the engine from the
// console reader thread.
class TMyInternalEngine : public TInternalEngine {
public:
    TMyInternalEngine();
    ~TMyInternalEngine() override;

    // Plays a legal move given as text (any castling form the position reads); anything else
    // raises ("Illegal move: " + the text, or the parser's message) and changes nothing.
    void PlayMove(std::string_view AMove) override;
    // An unreadable position string raises and leaves the game as it was.
    void ReadPosition(std::string_view APosition, std::int32_t& ASideToMove) override;
    // A new game draws a new setup in the variants with random start positions.
    void NewGame() override;
    // The current game's start position: random setups are drawn once per new game, so that a
    // front end replaying "start position and moves" replays them on the same setup.
    void SetStartPos() override;
    // Starts a perft of 1 to 99 plies on its own threads and returns at once.
    void GetPerft(std::int32_t ADepth) override;
    void Start() override;
    // Also ends a running perft and waits for it.
    void         Stop() override;
    void         SetOutput(std::unique_ptr<TEngineOutput> AValue) override;
    std::int32_t RemainMoveCount() override;
    // Refuses no variant; nothing changes when the variant is the current one.
    void SetGameVariant(TGameVariant* AValue) override;
    // Takes back the last played move; raises when none is left.
    void        Undo() override;
    void        EngineStateToConsole() override;
    void        EvalToConsole() override;
    void        WriteBoardToConsole() override;
    std::string GetCurrentLine() override { return {}; }
    // Checkmate, stalemate, and the ends the variant rules decide, from the position alone.
    TGameTermination GetGameTermination() override;
    std::string      GetPositionString() override;
    // Also rewrites how the current position writes castling.
    void SetCastlingNotation(TCastlingNotation AValue) override;

    // A whole "position" request, all or nothing: the start position (APosition empty) or the
    // position string, then the blank-separated moves. When any part fails, the previous game
    // (position, played moves, side to move) stays and the error propagates, for a move with the
    // "(MoveIndex: n, StringIndex: p): " prefix.
    void SetPositionWithMoves(std::string_view APosition, std::string_view AMoves) {
        SetGamePosition(APosition.empty(), APosition, AMoves);
    }
    void SetGamePosition(bool AStartPosition, std::string_view APosition,
                         std::string_view AMoves) override;
    // Waits until the running perft, if any, has ended by itself.
    void WaitForPerft();
    bool PerftRunning() const override { return FPerftRunning.load(std::memory_order_acquire); }

    TMoveGenerator&    MoveGenerator() const { return *FMoveGenerator; }
    TPosition&         Position() const { return *FPosition; }
    const std::string& LastMove() const { return FLastMove; }
    // Moves played and not taken back, oldest first.
    std::size_t                 PlayedMoveCount() const { return FStack.size(); }
    TNumericalIntervalArgument& Threads() const { return *FThreads; }
    TNumericalIntervalArgument& PerftHash() const { return *FPerftHash; }
    TSwitchArgument&            UCILimitStrength() const { return *FUCILimitStrength; }
    TNumericalIntervalArgument& UCIElo() const { return *FUCIElo; }
    THashTable&                 HashTable() const { return *FHashTable; }
    // The table keys every remaining depth with its own code; there are codes for 99.
    static constexpr std::int32_t MaximalPerftDepth = 99;
    // The deepest perft a request may ask for (at most the table's limit); a harness that must
    // answer every input at once lowers it.
    void         SetPerftDepthLimit(std::int32_t AValue) { FPerftDepthLimit = AValue; }
    std::int32_t PerftDepthLimit() const { return FPerftDepthLimit; }

protected:
    std::string GameVariantName(const TGameVariant& AVariant) const override;
    // Ends a running perft ("Aborted") and waits for its threads; nothing when none runs.
    void StopPerft();

private:
    struct TPlayedMove {
        TMove       Move;
        std::string Text;
    };
    // Everything SetPositionWithMoves puts back when a request fails.
    struct TGame {
        std::unique_ptr<TPosition> Position;
        std::vector<TPlayedMove>   Stack;
        std::string                LastMove;
        std::int32_t               SideToMove = 0;
    };

    void AddEngineOptions();
    void UpdateNodesPerSecondLimit();
    // A copy of the current game's start position (drawn when the game has none yet).
    std::unique_ptr<TPosition> NewStartPosition();
    // The current variant's position read from APosition; raises and changes nothing on failure.
    std::unique_ptr<TPosition> ParsePosition(std::string_view APosition);
    // Makes APosition the game's position, with no played moves.
    void  InstallPosition(std::unique_ptr<TPosition> APosition);
    TGame TakeGame();
    void  RestoreGame(TGame AGame);
    void  WriteLegalMoves();

    std::unique_ptr<TNumericalIntervalArgument> FThreads;
    std::unique_ptr<TSwitchArgument>            FUCILimitStrength;
    std::unique_ptr<TNumericalIntervalArgument> FUCIElo;
    std::unique_ptr<TMoveGenerator>             FMoveGenerator;
    std::unique_ptr<TPosition>                  FPosition;
    std::vector<TPlayedMove>                    FStack;
    std::string                                 FLastMove;
    std::unique_ptr<THashTable>                 FHashTable;
    std::unique_ptr<TNumericalIntervalArgument> FPerftHash;
    std::unique_ptr<TPerftCalculatorThreads>    FPerftCalculatorThreads;
    // Set before the perft thread starts, cleared by it after its report.
    std::atomic<bool> FPerftRunning{false};
    // The start position of the current game, copied for every SetStartPos.
    std::unique_ptr<TPosition> FStartPosition;
    std::int32_t               FPerftDepthLimit = MaximalPerftDepth;
};
