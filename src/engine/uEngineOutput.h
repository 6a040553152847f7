#pragma once

#include "engine/uRelaxed.h"
#include "games/uScore.h"
#include "support/uConsoleColor.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

class TAnalysisInfo;
class TCustomConsole;

// The kind of an output piece; it chooses the colour on a terminal.
enum TTextType : std::uint8_t {
    ccDebug,
    ccError,
    ccInfo,
    ccKeyword,
    ccValue,
    ccFalseValue,
    ccTrueValue
};

// The protocol whose syntax an output writes. Commands that several protocols share ask the
// output for it rather than look at its class.
enum TEngineProtocol : std::uint8_t { epNone, epUCI, epUSI, epXBoard };

// The engine's only way to write: each event is rendered in the active protocol's syntax.
// Writers bracket their pieces in a block (StartWrite ... StopWrite, see TWriteBlock); a block
// reaches standard output whole. Called from the command thread, the one-second timer and
// worker threads.
class TEngineOutput {
public:
    TEngineOutput() = default;
    virtual ~TEngineOutput() = default;
    TEngineOutput(const TEngineOutput&) = delete;
    TEngineOutput& operator=(const TEngineOutput&) = delete;

    virtual void StartWrite() = 0;
    virtual void StopWrite() = 0;
    virtual void Write(std::string_view AText, TTextType ATextType) = 0;
    virtual void WriteLine(std::string_view AText, TTextType ATextType) = 0;
    virtual void TellGUIInfo(std::string_view AMessage) = 0;
    virtual void TellGUIError(std::string_view AMessage) = 0;
    virtual void TellGUIDebug(std::string_view AMessage) = 0;
    virtual void AcceptDraw() = 0;
    virtual void OfferDraw() = 0;
    virtual void Resign() = 0;
    // A search starts: reset the per-search state.
    virtual void Start() = 0;
    virtual void DrawDepth() = 0;
    virtual void DrawSelDepth() = 0;
    virtual void DrawNodes() = 0;
    // The once-a-second tick of a running search (timer thread).
    virtual void OneSecond() = 0;
    // The search ended: give the best move, with a ponder move when APonder.
    virtual void ShowBestMove(bool APonder) = 0;
    // Announce the engine's move as played (play mode).
    virtual void        DoImportMove() = 0;
    virtual void        DrawMove1() = 0;
    virtual void        DrawRefutation() = 0;
    virtual void        DrawAMoves() = 0;
    virtual void        DrawCurrLine(std::string_view ACurrLine) = 0;
    virtual std::string ScoreToStr(TScore AScore, TScoreBound AScoreBound) = 0;

    // epNone for the console and for outputs of no protocol.
    virtual TEngineProtocol Protocol() const { return epNone; }
    // A front end that asked for an endless search takes a best move only after its "stop" or
    // "ponderhit": HoldBestMove keeps best moves back until ReleaseBestMove writes the one kept.
    // An output of a protocol without that rule writes every best move at once.
    virtual void HoldBestMove() {}
    virtual void ReleaseBestMove() {}
    // Best moves are kept back: for the front end, the search that asked for it goes on.
    virtual bool HoldingBestMove() { return false; }

    // Extra debug lines of the engine and its commands.
    bool DebugMode() const { return FDebugMode; }
    void SetDebugMode(bool AValue) { FDebugMode = AValue; }
    // Written where a move is missing.
    const std::string& NullMoveStr() const { return FNullMoveStr; }

protected:
    void SetNullMoveStr(std::string_view AValue) { FNullMoveStr = AValue; }

private:
    TRelaxed<bool> FDebugMode{false};
    std::string    FNullMoveStr;
};

// One output block: StartWrite now, StopWrite at scope end, also when a piece fails. A failure
// of StopWrite itself propagates unless another exception is already on its way.
class TWriteBlock final {
public:
    explicit TWriteBlock(TEngineOutput& AOutput)
        : FOutput(AOutput), FUncaught(std::uncaught_exceptions()) {
        FOutput.StartWrite();
    }
    ~TWriteBlock() noexcept(false);
    TWriteBlock(const TWriteBlock&) = delete;
    TWriteBlock& operator=(const TWriteBlock&) = delete;

private:
    TEngineOutput& FOutput;
    int            FUncaught;
};

// Copies every block into the debug log as one message "–>: " + the block's text, while the
// main log accepts debug messages.
class TLoggedEngineOutput : public TEngineOutput {
public:
    void StartWrite() override {}
    void StopWrite() override;
    void Write(std::string_view AText, TTextType ATextType) override;
    void WriteLine(std::string_view AText, TTextType ATextType) override;

private:
    std::string FText;
};

// Writes blocks to the console under the console's lock, so that a block never mixes with
// another block or with a message of the common output. On a terminal each piece gets the
// colour of its text type; when standard output is redirected the pieces are joined into whole
// plain lines and each block ends with one flush.
class TProtocolEngineOutput : public TLoggedEngineOutput {
public:
    explicit TProtocolEngineOutput(TCustomConsole& AConsole);

    void StartWrite() override;
    void StopWrite() override;
    void Write(std::string_view AText, TTextType ATextType) override;
    void WriteLine(std::string_view AText, TTextType ATextType) override;

    TAnalysisInfo*  AnalysisInfo() const { return FAnalysisInfo; }
    void            SetAnalysisInfo(TAnalysisInfo* AValue) { FAnalysisInfo = AValue; }
    TColorAttribute TextTypeColor(TTextType ATextType) const;

protected:
    TCustomConsole& OutputConsole() const { return FConsole; }
    // Ends a block on redirected output.
    virtual void FlushOutput();

    TAnalysisInfo* FAnalysisInfo = nullptr; // not owned

private:
    TCustomConsole& FConsole;
    // The line begun by Write and not yet ended (redirected output only).
    std::string FText;
};

// The output before any protocol is chosen (console mode): messages as plain coloured lines,
// errors on the error stream like every other console error, "--" as the null move and the
// UCI score texts. The search events are quiet except the best move, which becomes an
// information line, so that a search started from the console (benchmark) works.
class TNoProtocolEngineOutput final : public TProtocolEngineOutput {
public:
    explicit TNoProtocolEngineOutput(TCustomConsole& AConsole);

    void TellGUIInfo(std::string_view AMessage) override;
    void TellGUIError(std::string_view AMessage) override;
    void TellGUIDebug(std::string_view AMessage) override;
    void AcceptDraw() override;
    void OfferDraw() override;
    void Resign() override {}
    void Start() override {}
    void DrawDepth() override {}
    void DrawSelDepth() override {}
    void DrawNodes() override {}
    void OneSecond() override {}
    // "Best move: " + the best move, or the null move.
    void        ShowBestMove(bool APonder) override;
    void        DoImportMove() override {}
    void        DrawMove1() override {}
    void        DrawRefutation() override {}
    void        DrawAMoves() override {}
    void        DrawCurrLine(std::string_view) override {}
    std::string ScoreToStr(TScore AScore, TScoreBound AScoreBound) override;
};

// The UCI score text: "cp 25", "mate 3", "mate -2", "none", "+inf", "–inf" (en dash), followed
// by " lowerbound" or " upperbound" for those bounds.
std::string UciScoreText(TScore AScore, TScoreBound AScoreBound);
