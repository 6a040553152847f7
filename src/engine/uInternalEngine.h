#pragma once

#include "engine/uCommonEngine.h"
#include "engine/uOpponent.h"
#include "engine/uRelaxed.h"
#include "games/uPosition.h"
#include "support/uExceptions.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

class TCommonEngineOptions;
class TDrawManager;
class TEngineOutput;
class TGameVariant;
class IOutputSink;
class TOneSecondTimer;
class TStopManager;

// How the engine writes castling moves for the front end; the active protocol chooses.
enum TCastlingNotation : std::uint8_t {
    cnVariant,       // as the variant's positions write it
    cnKingTwoFiles,  // the king's step to its castling square: e1g1
    cnKingTakesRook, // the king takes its own castling rook: e1h1
    cnCastleStrings  // O-O and O-O-O
};

// Raised by Start when the opening book already gave the move; reporters stay silent.
class EBookMoveFound final : public EAbort {
public:
    const char* what() const noexcept override { return "Book move found."; }
    const char* ClassName() const noexcept override { return "EBookMoveFound"; }
};

// The engine that runs inside this process. Around the search of a concrete engine it keeps the
// game variant, the output (the active protocol's), the common options, the stop and draw
// managers, the one-second timer and the opponent, and it fixes the order of events when a
// search starts (Start) and when it ends (DoBestMove, the only way back to idle). Concrete
// engines supply the position, the move generation and the search; their Start calls this
// Start first and ends the search with DoBestMove, on this thread or on one of their own.
class TInternalEngine : public TCommonEngine {
public:
    TInternalEngine();
    ~TInternalEngine() override;

    // Polls until no search runs and the last one has given its best move. The time-out does
    // not shorten the wait.
    void WaitForCalculationDone(std::int64_t ATimeOutInMilliseconds) override;
    // Readies output, stop manager and levels, restarts the search clock and the timer, and
    // consults the book. Any failure first ends the search with DoBestMove, then propagates.
    void Start() override;
    // Asks a running search to stop as soon as possible.
    void Stop() override;

    // Installs the active protocol's output and frees the previous one. Only between searches.
    virtual void SetOutput(std::unique_ptr<TEngineOutput> AValue);
    // Moves still expected in the game, for the time allocation.
    virtual std::int32_t RemainMoveCount() = 0;
    virtual void         SetGameVariant(TGameVariant* AValue);
    // Ends a search: stops timer and clock, shows the best move, in play mode decides on a draw
    // and plays the move, and always releases the search (OnStop).
    virtual void DoBestMove();
    // Takes back one move; here only the root moves are cleared.
    virtual void Undo();
    // The report of the "EngineState" command.
    virtual void EngineStateToConsole();
    virtual void EvalToConsole() = 0;
    virtual void WriteBoardToConsole() = 0;
    // The line the search is examining now (called from the timer thread).
    virtual std::string GetCurrentLine() = 0;
    // How the rules have ended the game in the current position (the side to move has no legal
    // move): who won and why. grUnknown while the game goes on or when the engine cannot tell.
    virtual TGameTermination GetGameTermination() { return {}; }
    // The position string (FEN) of the current position; empty when the engine has none.
    virtual std::string GetPositionString() { return {}; }

    // True from the start of a perft until its report is out; readable from any thread.
    virtual bool PerftRunning() const { return false; }
    // Called on the perft's own thread once its report is out, so that the console can run the
    // lines that waited for it. Null clears it; any thread.
    void SetOnPerftEnd(std::function<void()> AHandler);

    // How castling is written from now on. Concrete engines apply it to their position at once
    // and to every position they set up later.
    virtual void      SetCastlingNotation(TCastlingNotation AValue) { FCastlingNotation = AValue; }
    TCastlingNotation CastlingNotation() const { return FCastlingNotation; }

    // The opponent offers a draw: accept it when the last search said so.
    void OpponentRequireDraw();

    TGameVariant*  GameVariant() const { return FGameVariant; }
    TEngineOutput* Output() const { return FOutput.get(); }
    // Where boards and evaluation terms are drawn for people (not owned); null draws nothing.
    // Handed over by the owner of the console, only between searches.
    IOutputSink*     OutputSink() const { return FOutputSink; }
    void             SetOutputSink(IOutputSink* AValue) { FOutputSink = AValue; }
    const TOpponent& Opponent() const { return FOpponent; }
    void             SetOpponent(const TOpponent& AValue) { FOpponent = AValue; }
    // After giving its best move the engine also plays it (play mode); false = analyse mode.
    bool                  DoMoveAfterStop() const { return FDoMoveAfterStop; }
    void                  SetDoMoveAfterStop(bool AValue) { FDoMoveAfterStop = AValue; }
    TCommonEngineOptions& CommonOptions() { return *FCommonOptions; }
    TStopManager&         StopManager() { return *FStopManager; }
    TDrawManager&         DrawManager() { return *FDrawManager; }
    TOneSecondTimer&      OneSecondTimer() { return *FOneSecondTimer; }
    // "UCI_ShowCurrLine", readable from the timer thread.
    bool ShowCurrLine() const { return FShowCurrLine; }

protected:
    // The name of a variant for the change message; the variant class belongs to the game model.
    virtual std::string GameVariantName(const TGameVariant& AVariant) const = 0;
    // Engines that run perfts call this when one has ended.
    void PerftEnded();

private:
    void AddCommonOptions();
    void ConnectMoveOverheads();

    TGameVariant* FGameVariant = nullptr; // not owned; the variant registry owns it
    bool          FDoMoveAfterStop = false;
    std::unique_ptr<TOneSecondTimer>      FOneSecondTimer;
    std::unique_ptr<TCommonEngineOptions> FCommonOptions;
    std::unique_ptr<TStopManager>         FStopManager;
    std::unique_ptr<TDrawManager>         FDrawManager;
    std::unique_ptr<TEngineOutput>        FOutput;
    IOutputSink*                          FOutputSink = nullptr; // not owned
    TOpponent                             FOpponent;
    TCastlingNotation                     FCastlingNotation = cnVariant;
    TRelaxed<bool>                        FShowCurrLine{false};
    std::mutex                            FOnPerftEndLock;
    std::function<void()>                 FOnPerftEnd;
    // DoBestMove calls still running. The search clock stops at the start of DoBestMove, but
    // the search has ended only when the best move is out and the search released.
    std::atomic<int> FEndingSearches{0};
};
