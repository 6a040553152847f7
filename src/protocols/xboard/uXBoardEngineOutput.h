#pragma once

#include "engine/uEngineOutput.h"
#include "engine/uRelaxed.h"

#include <string>
#include <string_view>

class TInternalEngine;

// Renders the engine's events in the XBoard protocol: "move ..." with a result claim when the
// game is over, thinking lines ("depth score centiseconds nodes pv"), the "stat01: ..." status
// line, "# " comments for information and debug messages, "Error (...)", "offer draw",
// "resign" and "Illegal move: ...". Every line is one locked block, so lines from the command
// thread and the one-second timer never mix. The null move is "@@@@".
//
// The engine, when given, tells the side the engine plays and how the rules ended a game in
// which the engine has no move; it is read only while the engine gives its move.
class TXBoardEngineOutput final : public TProtocolEngineOutput {
public:
    explicit TXBoardEngineOutput(TCustomConsole& AConsole);

    TEngineProtocol Protocol() const override { return epXBoard; }

    // "# " + message, one such line per line of the message.
    void TellGUIInfo(std::string_view AMessage) override;
    // "Error (" + message + ")" on one line.
    void TellGUIError(std::string_view AMessage) override;
    // "# " + message, as TellGUIInfo.
    void TellGUIDebug(std::string_view AMessage) override;
    // Both write "offer draw": offering a draw the opponent has offered accepts it.
    void AcceptDraw() override;
    void OfferDraw() override;
    void Resign() override;
    void Start() override {}
    void DrawDepth() override {}
    void DrawSelDepth() override {}
    // "stat01: centiseconds nodes depth moves-left moves-total current-move", or the error
    // "No analysis available." without analysis information.
    void DrawNodes() override;
    void OneSecond() override {}
    void ShowBestMove(bool) override {}
    // "move " + the best move, then "result ..." when that move mates. Without a best move the
    // game is over when the rules say so: the engine resigns a lost game and claims a won or
    // drawn one; only when the engine knows of no end is the null move written.
    void DoImportMove() override;
    void DrawMove1() override {}
    void DrawRefutation() override {}
    // The thinking line of the actual analysis line, while thinking output is on; " ?" marks a
    // lower bound, " !" an upper bound.
    void DrawAMoves() override;
    // "# Current line: " + the line.
    void DrawCurrLine(std::string_view ACurrLine) override;
    // The score in centipawns as stored, mate scores included; no bound mark.
    std::string ScoreToStr(TScore AScore, TScoreBound AScoreBound) override;

    // "result 1-0 {White mates}" and the like for a game the rules have ended.
    void ClaimResult(const TGameTermination& ATermination);
    // "Illegal move: " + the move: the front end takes the move back.
    void IllegalMove(std::string_view AMove);
    // A line written as it is (ping's "pong", "Hint: ...").
    void WriteKeywordLine(std::string_view AKeyword, std::string_view AValue);

    // A result claim as xboard reads it in the current variant (colours exchanged where xboard
    // is shown the board mirrored).
    std::string ResultForXBoard(std::string_view AResult) const;
    // Moves of the engine as xboard writes them in the current variant (see
    // uXBoardMoveNotation); the same text where both write alike.
    std::string ToXBoardMoves(std::string_view AMoves) const;

    // Thinking output ("post" / "nopost"); on at creation.
    bool             Enabled() const { return FEnabled; }
    void             SetEnabled(bool AValue) { FEnabled = AValue; }
    TInternalEngine* InternalEngine() const { return FInternalEngine; }
    void             SetInternalEngine(TInternalEngine* AValue) { FInternalEngine = AValue; }

private:
    void WriteComment(std::string_view AMessage, TTextType ATextType);
    // Resigns a game the engine lost, claims any other end; false when the engine reports none.
    bool WriteGameEnd();

    TRelaxed<bool>   FEnabled{true};
    TInternalEngine* FInternalEngine = nullptr; // not owned; it owns this output
};

// The centiseconds of the thinking line: milliseconds / 10, halves away from zero.
std::int64_t ThinkingCentiseconds(std::int64_t AMilliseconds);
// The centiseconds of the status line: milliseconds / 10, halves to even.
std::int64_t StatusCentiseconds(std::int64_t AMilliseconds);
