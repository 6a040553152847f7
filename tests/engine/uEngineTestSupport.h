#pragma once

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uStopManager.h"
#include "shell/uCustomCommand.h"
#include "shell/uCustomConsole.h"
#include "support/uLogger.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Records every event as one text; any thread may write (the timer ticks on its own thread).
class TRecordingOutput final : public TEngineOutput {
public:
    explicit TRecordingOutput(const TAnalysisInfo& AAnalysisInfo) : FAnalysisInfo(AAnalysisInfo) {}

    void StartWrite() override {}
    void StopWrite() override {}
    void Write(std::string_view AText, TTextType) override { Add("Write:" + std::string(AText)); }
    void WriteLine(std::string_view AText, TTextType) override {
        Add("WriteLine:" + std::string(AText));
    }
    void TellGUIInfo(std::string_view AMessage) override { Add("Info:" + std::string(AMessage)); }
    void TellGUIError(std::string_view AMessage) override { Add("Error:" + std::string(AMessage)); }
    void TellGUIDebug(std::string_view AMessage) override { Add("Debug:" + std::string(AMessage)); }
    void AcceptDraw() override { Add("AcceptDraw"); }
    void OfferDraw() override { Add("OfferDraw"); }
    void Resign() override { Add("Resign"); }
    void Start() override { Add("Start"); }
    void DrawDepth() override { Add("DrawDepth"); }
    void DrawSelDepth() override { Add("DrawSelDepth"); }
    void DrawNodes() override { Add("DrawNodes"); }
    void OneSecond() override {
        // Read what a protocol output reads, so that the thread checker sees those reads.
        (void)FAnalysisInfo.Nodes();
        (void)FAnalysisInfo.CurrentMove();
        (void)FAnalysisInfo.ElapsedTime().Elapsed();
        (void)FAnalysisInfo.GetActualAnalysis();
        FTicks.fetch_add(1);
    }
    void ShowBestMove(bool APonder) override {
        const std::string move = FAnalysisInfo.BestMove();
        Add("BestMove:" + (move.empty() ? std::string("-") : move) + (APonder ? " ponder" : ""));
    }
    void DoImportMove() override { Add("DoImportMove"); }
    void DrawMove1() override { Add("DrawMove1"); }
    void DrawRefutation() override { Add("DrawRefutation"); }
    void DrawAMoves() override { Add("DrawAMoves:" + FAnalysisInfo.ActualAnalysisToString("-")); }
    void DrawCurrLine(std::string_view ACurrLine) override {
        Add("CurrLine:" + std::string(ACurrLine));
    }
    std::string ScoreToStr(TScore AScore, TScoreBound AScoreBound) override {
        return UciScoreText(AScore, AScoreBound);
    }

    void Add(std::string AEvent) {
        std::scoped_lock lock(FLock);
        FEvents.push_back(std::move(AEvent));
    }
    std::vector<std::string> Events() const {
        std::scoped_lock lock(FLock);
        return FEvents;
    }
    void ClearEvents() {
        std::scoped_lock lock(FLock);
        FEvents.clear();
    }
    int Ticks() const { return FTicks.load(); }

private:
    const TAnalysisInfo&     FAnalysisInfo;
    mutable std::mutex       FLock;
    std::vector<std::string> FEvents;
    std::atomic<int>         FTicks{0};
};

// An engine with a stub search: it reports one line and gives its move at once, or, when
// threaded, counts nodes on its own thread until the stop manager stops it.
class TStubEngine final : public TInternalEngine {
public:
    TStubEngine() { SetOutput(std::make_unique<TRecordingOutput>(AnalysisInfo())); }
    ~TStubEngine() override {
        if (FSearch.joinable())
            Stop();
        JoinSearch();
    }

    void Start() override {
        JoinSearch();
        TInternalEngine::Start();
        if (!FThreaded) {
            ReportAndFinish();
            return;
        }
        FSearch = std::thread([this] {
            while (StopManager().Cause() == scNone) {
                AnalysisInfo().NextNode();
                StopManager().UpdateStopNode();
                // Lines and texts change while the timer thread reads them.
                if (AnalysisInfo().Nodes() % 65536 == 0) {
                    AnalysisInfo().SetCurrentMove(1, "d2d4");
                    AnalysisInfo().AddAnalysis({10, sbExact, vcNone, 2}, {"d2d4", "d7d5"});
                    std::this_thread::yield();
                }
            }
            ReportAndFinish();
        });
    }
    void PlayMove(std::string_view AMove) override {
        if (AMove == FIllegalMove)
            throw EArgumentException("Illegal move " + std::string(AMove));
        TInternalEngine::PlayMove(AMove);
        FPlayed.emplace_back(AMove);
    }
    void BookMoves() override {
        if (!FBookMove.empty())
            AnalysisInfo().AddAnalysis({0, sbExact, vcNone, 1}, {FBookMove});
    }
    void OnStop(TCommonEngine& ASender) override {
        // Only while the recorder is installed; a test may give the engine another output.
        if (auto* recorder = dynamic_cast<TRecordingOutput*>(Output()))
            recorder->Add("OnStop");
        TInternalEngine::OnStop(ASender);
    }
    std::int32_t RemainMoveCount() override { return 35; }
    void         EvalToConsole() override {}
    void         WriteBoardToConsole() override {}
    std::string  GetCurrentLine() override { return "e2e4 e7e5"; }

    TRecordingOutput& Recorder() { return dynamic_cast<TRecordingOutput&>(*Output()); }
    void              JoinSearch() {
                     if (FSearch.joinable())
            FSearch.join();
    }

    bool                     FThreaded = false;
    std::string              FMove = "e2e4";
    TSubtreeStatus           FStatus{35, sbExact, vcNone, 1};
    std::string              FBookMove;
    std::string              FIllegalMove = "--illegal--";
    std::vector<std::string> FPlayed;
    std::string              FVariantName = "chess";

protected:
    std::string GameVariantName(const TGameVariant&) const override { return FVariantName; }

private:
    void ReportAndFinish() {
        AnalysisInfo().SetCurrentMove(0, FMove);
        AnalysisInfo().SetDepth(1);
        if (!FMove.empty()) {
            AnalysisInfo().AddAnalysis(FStatus, {FMove});
            Output()->DrawAMoves();
        }
        DoBestMove();
    }

    std::thread FSearch;
};

// Captures what the engine output sends to the console instead of writing it.
class TFakeConsole final : public TCustomConsole {
public:
    explicit TFakeConsole(bool ARedirected) : FRedirected(ARedirected) {}

    struct TCall {
        std::string Kind;
        std::string Text;
        int         Attribute = -1;
        bool        operator==(const TCall&) const = default;
    };

    using TCustomConsole::Write;
    using TCustomConsole::WriteLine;
    bool IsRedirectedQuery() override { return FRedirected; }
    void Write(std::string_view AText) override { FCalls.push_back({"Write", std::string(AText)}); }
    void Write(std::string_view AText, TColorAttribute AAttribute) override {
        FCalls.push_back({"Write", std::string(AText), AAttribute});
    }
    void WriteLine(std::string_view AText) override {
        FCalls.push_back({"WriteLine", std::string(AText)});
    }
    void WriteLine(std::string_view AText, TColorAttribute AAttribute) override {
        FCalls.push_back({"WriteLine", std::string(AText), AAttribute});
    }
    void WriteErrorLine(std::string_view AText) override {
        FCalls.push_back({"WriteErrorLine", std::string(AText)});
    }

    std::vector<TCall> FCalls;

private:
    bool FRedirected;
};

// The lines written to a redirected fake console, taken away.
inline std::vector<std::string> TakeLines(TFakeConsole& AConsole) {
    std::vector<std::string> lines;
    for (const auto& call : AConsole.FCalls)
        if (call.Kind == "WriteLine")
            lines.push_back(call.Text);
    AConsole.FCalls.clear();
    return lines;
}

// Runs a command line as the console does: the first word names a command of the registry.
// Failures propagate to the test.
inline void RunLine(TCommands& ACommands, std::string_view ALine) {
    const std::size_t space = ALine.find(' ');
    const std::string name(ALine.substr(0, space));
    std::string_view  parameters;
    if (space != std::string_view::npos) {
        parameters = ALine.substr(space + 1);
        while (!parameters.empty() && (parameters.front() == ' ' || parameters.front() == '\t'))
            parameters.remove_prefix(1);
    }
    ACommands.FindByStringException(name).Execute(parameters);
}

// The message of the failure of a command line; empty when it succeeded.
inline std::string RunLineError(TCommands& ACommands, std::string_view ALine) {
    try {
        RunLine(ACommands, ALine);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Installs itself as the main log for its lifetime and keeps every line.
class TCapturingLog final : public TLogger {
public:
    explicit TCapturingLog(TMessageLevel ALevel) : FPrevious(MainLog()) {
        SetLoggingLevel(ALevel);
        SetMainLog(this);
    }
    ~TCapturingLog() override { SetMainLog(FPrevious); }
    void Add(std::string_view ALine, TMessageLevel) override {
        std::scoped_lock lock(FLock);
        FLines.emplace_back(ALine);
    }
    std::vector<std::string> Lines() const {
        std::scoped_lock lock(FLock);
        return FLines;
    }

private:
    TLogger*                 FPrevious;
    mutable std::mutex       FLock;
    std::vector<std::string> FLines;
};
