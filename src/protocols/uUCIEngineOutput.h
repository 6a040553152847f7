#pragma once

#include "engine/uEngineOutput.h"
#include "engine/uRelaxed.h"
#include "support/uMainTimer.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Renders the engine's events as UCI lines: info lines (principal variation, statistics, current
// move, selective depth, current line), info strings for messages, and the bestmove line.
// Every line is one locked block, so lines from the command thread, the search and the
// one-second timer never mix. The throttle state is made of relaxed words: in a race one extra
// current-move or selective-depth line may pass or be held back, nothing worse.
//
// A front end that sent "go infinite" or "go ponder" waits for "stop" or "ponderhit" before it
// expects a best move; HoldBestMove keeps the bestmove line until ReleaseBestMove writes it.
class TUCIEngineOutput : public TProtocolEngineOutput {
public:
    explicit TUCIEngineOutput(TCustomConsole& AConsole);

    // "info string " + message; a message of several lines gives one such line per line.
    void TellGUIInfo(std::string_view AMessage) override;
    // "info string Error: " + message.
    void TellGUIError(std::string_view AMessage) override;
    // "info string Debug: " + message.
    void TellGUIDebug(std::string_view AMessage) override;
    void AcceptDraw() override;
    void OfferDraw() override;
    void Resign() override {}
    void Start() override;
    void DrawDepth() override;
    void DrawSelDepth() override;
    void DrawNodes() override;
    void OneSecond() override;
    // A statistics line, then "bestmove" with the best move (and its ponder move when asked and
    // known) or the null move; kept back while a best move is held.
    void ShowBestMove(bool APonder) override;
    // UCI has no announcement of a played move; the engine never asks for one here.
    void            DoImportMove() override;
    void            DrawMove1() override;
    void            DrawRefutation() override {}
    void            DrawAMoves() override;
    void            DrawCurrLine(std::string_view ACurrLine) override;
    std::string     ScoreToStr(TScore AScore, TScoreBound AScoreBound) override;
    TEngineProtocol Protocol() const override { return epUCI; }

    // From now on a best move is kept instead of written.
    void HoldBestMove() override;
    // Ends holding and writes the kept best move, if any.
    void ReleaseBestMove() override;
    // A best move is being kept.
    bool BestMoveHeld();
    // Best moves are kept: a go that waits for "stop" or "ponderhit" has not ended yet.
    bool HoldingBestMove() override;

    bool ShowCurrentMoveOnChange() const { return FShowCurrentMoveOnChange; }
    void SetShowCurrentMoveOnChange(bool AValue) { FShowCurrentMoveOnChange = AValue; }
    bool ShowCurrentMoveEverySecond() const { return FShowCurrentMoveEverySecond; }
    void SetShowCurrentMoveEverySecond(bool AValue) { FShowCurrentMoveEverySecond = AValue; }
    bool ShowSelectiveDepthOnChange() const { return FShowSelectiveDepthOnChange; }
    void SetShowSelectiveDepthOnChange(bool AValue) { FShowSelectiveDepthOnChange = AValue; }
    bool ShowSelectiveDepthEverySecond() const { return FShowSelectiveDepthEverySecond; }
    void SetShowSelectiveDepthEverySecond(bool AValue) { FShowSelectiveDepthEverySecond = AValue; }

protected:
    // The move of "bestmove" when there is none.
    virtual std::string NoBestMoveText() const { return NullMoveStr(); }

private:
    using TPieces = std::vector<std::pair<std::string, TTextType>>;

    // " time ... nodes ... [nps] [hashfull] [tbhits]" and the line end.
    void WriteNodesInfo();
    void WriteCurrentMove();
    void WriteSelDepth();
    // The search clock, zero without analysis information.
    TTimeSpan Elapsed() const;
    // Whether a throttled line may be written now: on change always, every second only when
    // two whole seconds (rounded) have passed since the last such line.
    bool ThrottleAllows(bool AOnChange, bool AEverySecond, TTimeSpan ALastTime) const;
    void WriteMessage(std::string_view APrefix, std::string_view AMessage, TTextType ATextType);
    void WritePieces(const TPieces& APieces);

    TRelaxed<bool>         FShowCurrentMoveOnChange{false};
    TRelaxed<bool>         FShowCurrentMoveEverySecond{false};
    TRelaxed<TTimeSpan>    FLastDrawSelDepthTime;
    TRelaxed<std::int32_t> FLastDrawSelDepth{0};
    TRelaxed<TTimeSpan>    FLastDrawMove1Time;
    TRelaxed<std::int32_t> FLastCurrentMoveIndex{0};
    TRelaxed<bool>         FShowSelectiveDepthOnChange{false};
    TRelaxed<bool>         FShowSelectiveDepthEverySecond{false};
    // Guards the last current move written, compared and replaced in one step.
    std::mutex  FCurrentMoveLock;
    std::string FLastCurrentMove;

    // Guards the two fields below; taken before the output lock, never inside it.
    std::mutex             FBestMoveLock;
    bool                   FHoldBestMove = false;
    std::optional<TPieces> FHeldBestMove;
};
