#include "engine/uInternalEngine.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uDrawManager.h"
#include "engine/uEngineOutput.h"
#include "engine/uLevelManager.h"
#include "engine/uOneSecondTimer.h"
#include "engine/uRootMoves.h"
#include "engine/uStopManager.h"
#include "engine/uTimeControlLevel.h"
#include "support/uCustomArgument.h"
#include "support/uLogger.h"
#include "support/uProjectInfo.h"

#include <chrono>
#include <thread>

TInternalEngine::TInternalEngine() {
    SetTitle(EngineName());
    AddCommonOptions();
    ConnectMoveOverheads();
    FOneSecondTimer = std::make_unique<TOneSecondTimer>(this);
    FOneSecondTimer->Start();
    FStopManager = std::make_unique<TStopManager>();
    FStopManager->SetLevelManager(&LevelManager());
    FStopManager->SetAnalysisInfo(&AnalysisInfo());
    FDrawManager = std::make_unique<TDrawManager>();
}

TInternalEngine::~TInternalEngine() {
    FDrawManager.reset();
    FStopManager.reset();
    FOneSecondTimer.reset();
    FCommonOptions.reset();
    std::unique_ptr<TEngineOutput> output = std::move(FOutput);
    output.reset();
}

void TInternalEngine::AddCommonOptions() {
    FCommonOptions = std::make_unique<TCommonEngineOptions>();
    TCommonEngineOptions& options = *FCommonOptions;
    TArguments&           list = Options();
    list.Add(options.Ponder());
    list.Add(options.OwnBook());
    list.Add(options.BookFile());
    list.Add(options.ContemptValue());
    list.Add(options.RandomPlay());
    list.Add(options.RandomValue());
    options.AddTimeManagementOptions(list);
    list.Add(options.ShowCurrLine());
}

void TInternalEngine::ConnectMoveOverheads() {
    TCommonEngineOptions& options = *FCommonOptions;
    // Every change takes effect at once, also during a game, without a new time control.
    options.AverageMoveOverhead().SetOnChange([this](TCustomArgument& AArgument) {
        AnalysisInfo().SetAverageMoveOverhead(
            TTimeSpan::FromMilliseconds(static_cast<TNumericArgument&>(AArgument).ValueNoUsed()));
    });
    options.MaximalMoveOverhead().SetOnChange([this](TCustomArgument& AArgument) {
        AnalysisInfo().SetMaximalMoveOverhead(
            TTimeSpan::FromMilliseconds(static_cast<TNumericArgument&>(AArgument).ValueNoUsed()));
    });
    // The timer thread reads this copy, never the option itself.
    options.ShowCurrLine().SetOnChange([this](TCustomArgument& AArgument) {
        FShowCurrLine = static_cast<TSwitchArgument&>(AArgument).Value();
    });
    AnalysisInfo().SetAverageMoveOverhead(
        TTimeSpan::FromMilliseconds(options.AverageMoveOverhead().ValueNoUsed()));
    AnalysisInfo().SetMaximalMoveOverhead(
        TTimeSpan::FromMilliseconds(options.MaximalMoveOverhead().ValueNoUsed()));
    FShowCurrLine = options.ShowCurrLine().Value();
}

void TInternalEngine::SetOutput(std::unique_ptr<TEngineOutput> AValue) {
    FOutput = std::move(AValue);
    FStopManager->SetEngineOutput(FOutput.get());
    if (auto* protocolOutput = dynamic_cast<TProtocolEngineOutput*>(FOutput.get()))
        protocolOutput->SetAnalysisInfo(&AnalysisInfo());
}

void TInternalEngine::SetGameVariant(TGameVariant* AValue) {
    if (AValue == FGameVariant)
        return;
    FGameVariant = AValue;
    if (FOutput)
        FOutput->TellGUIInfo("Game variant changed to: " +
                             (AValue != nullptr ? GameVariantName(*AValue) : std::string("N/A")));
}

void TInternalEngine::Start() {
    try {
        TCommonEngine::Start();
        if (FOutput)
            FOutput->Start();
        FStopManager->Start();
        const std::optional<std::string> levelDescription =
            LevelManager().PrepareLevels([this] { return RemainMoveCount(); });
        if (levelDescription && FOutput)
            FOutput->TellGUIInfo(*levelDescription);
        // Preparation is not thinking time.
        AnalysisInfo().ElapsedTime().Restart();
        FOneSecondTimer->Enable();
        if (FCommonOptions->OwnBook().Value())
            BookMoves();
        if (AnalysisInfo().AnalysisCount() >= 1 && !LevelManager().InfiniteAnalysis())
            throw EBookMoveFound();
    } catch (const Exception&) {
        // Also a refused start ends the search that is running, so that the front end always
        // gets a best move before the error.
        DoBestMove();
        throw;
    }
}

void TInternalEngine::DoBestMove() {
    // Counted before the clock stops, so that a waiter never sees neither.
    FEndingSearches.fetch_add(1);
    struct TEnded {
        std::atomic<int>& Count;
        ~TEnded() { Count.fetch_sub(1); }
    } ended{FEndingSearches};
    FOneSecondTimer->Disable();
    AnalysisInfo().ElapsedTime().Stop();
    try {
        if (FOutput)
            FOutput->ShowBestMove(FCommonOptions->Ponder().Value());
        if (FDoMoveAfterStop) {
            const std::optional<TAnalysis> last = AnalysisInfo().LastAnalysis();
            if (last &&
                (last->Status.ScoreBound == sbExact || last->Status.ScoreBound == sbLower)) {
                FDrawManager->SetContemptValue(
                    static_cast<TScore>(FCommonOptions->ContemptValue().Value()));
                FDrawManager->Update(last->Status.Score);
                if (FOutput && FOutput->DebugMode() && FDrawManager->OfferProbability() != 0)
                    FOutput->TellGUIDebug("Draw offer probability: 1 / " +
                                          std::to_string(FDrawManager->OfferProbability()));
                if (FDrawManager->OfferDraw() && FOutput)
                    FOutput->OfferDraw();
            } else {
                FDrawManager->Clear();
            }
            if (FOutput)
                FOutput->DoImportMove();
            if (last)
                PlayMove(AnalysisInfo().BestMove());
        }
    } catch (...) {
        OnStop(*this);
        throw;
    }
    OnStop(*this);
}

void TInternalEngine::Stop() {
    // A stop without a running search has stopped nothing: no cause to report. The cause is
    // set all the same, for a search thread that is still winding down.
    FStopManager->Abort(IsSearching());
    TCommonEngine::Stop();
}

void TInternalEngine::WaitForCalculationDone(std::int64_t) {
    const bool logging = IsLoggerFor(mlDebug);
    if (logging)
        MainLog()->LogEnter("WaitForBestMove");
    while (IsSearching() || FEndingSearches.load() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (logging) {
        MainLog()->Log(mlDebug, "Abort waiting for best move, it is found.");
        MainLog()->LogLeave("WaitForBestMove");
    }
}

void TInternalEngine::Undo() {
    RootMoves().Clear();
}

void TInternalEngine::OpponentRequireDraw() {
    if (FDrawManager->AcceptDraw() && FOutput)
        FOutput->AcceptDraw();
}

void TInternalEngine::EngineStateToConsole() {
    // A front end reads only lines of its own protocol: there the values are messages of the
    // protocol's output, at the console a table.
    const bool protocol = FOutput != nullptr && FOutput->Protocol() != epNone;
    if (!protocol) {
        Options().WriteValuesToCommonOutput();
    } else {
        for (TCustomArgument* option : Options().Items())
            FOutput->TellGUIInfo(option->Shortcut() + ": " + option->GetValueAsString());
    }
    if (!FOutput)
        return;
    FOutput->TellGUIInfo(std::string("Analyze Mode: ") + (FDoMoveAfterStop ? "false" : "true"));
    FOutput->TellGUIInfo(std::string("Infinite Analysis: ") +
                         (LevelManager().InfiniteAnalysis() ? "true" : "false"));
    if (TCustomLevel* level = LevelManager().MyLevel())
        FOutput->TellGUIInfo("Level: " + level->GetAsString());
}

void TInternalEngine::SetOnPerftEnd(std::function<void()> AHandler) {
    std::scoped_lock lock(FOnPerftEndLock);
    FOnPerftEnd = std::move(AHandler);
}

void TInternalEngine::PerftEnded() {
    std::scoped_lock lock(FOnPerftEndLock);
    if (FOnPerftEnd)
        FOnPerftEnd();
}
