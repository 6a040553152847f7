#include "engine/uMyInternalEngine.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineOutput.h"
#include "engine/uRootMoves.h"
#include "engine/uStopManager.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculatorThreads.h"
#include "platform/uPlatformSystem.h"
#include "support/uCommonOutputFormat.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int64_t MinimalElo = 750;

} // namespace

TMyInternalEngine::TMyInternalEngine() {
    // The registry belongs to the process; a second engine (tests) finds it filled.
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    SetGameVariant(&GameVariants().Items(0));
    AddEngineOptions();
}

TMyInternalEngine::~TMyInternalEngine() {
    StopPerft();
    FHashTable.reset();
    FMoveGenerator.reset();
    FPosition.reset();
}

void TMyInternalEngine::AddEngineOptions() {
    const std::int64_t processors = LogicalProcessorCount();
    FThreads = std::make_unique<TNumericalIntervalArgument>(
        "Threads", "Number of used threads", 1, 512, std::min<std::int64_t>(processors, 512),
        rcOptional);
    Options().Add(*FThreads);

    FHashTable = std::make_unique<THashTable>();
    FHashTable->SetItemSize(20);
    const auto maximalHash = static_cast<std::int64_t>(FHashTable->MaxSizeInMB());
    FPerftHash = std::make_unique<TNumericalIntervalArgument>("Perft Hash", "", 0, maximalHash,
                                                              maximalHash * 2 / 3, rcOptional);
    FHashTable->SetSizeInMB(static_cast<std::uint64_t>(FPerftHash->ValueNoUsed()));
    // Only the size is stored here; the next perft reallocates.
    FPerftHash->SetOnChange([this](TCustomArgument&) {
        FHashTable->SetSizeInMB(static_cast<std::uint64_t>(FPerftHash->ValueNoUsed()));
    });
    Options().Add(*FPerftHash);

    FUCILimitStrength = std::make_unique<TSwitchArgument>("UCI_LimitStrength",
                                                          "Limit engine strength.", rcOptional);
    FUCILimitStrength->SetOnChange([this](TCustomArgument&) { UpdateNodesPerSecondLimit(); });
    Options().Add(*FUCILimitStrength);
    FUCIElo = std::make_unique<TNumericalIntervalArgument>(
        "UCI_Elo", "Used only if UCI_LimitStrength is true.", MinimalElo, 3000, 1500, rcOptional);
    FUCIElo->SetOnChange([this](TCustomArgument&) { UpdateNodesPerSecondLimit(); });
    Options().Add(*FUCIElo);
}

void TMyInternalEngine::UpdateNodesPerSecondLimit() {
    if (FUCILimitStrength->Value()) {
        const double x = static_cast<double>(FUCIElo->Value() - MinimalElo) / 95.0;
        StopManager().SetLimitNodesPerSecond(std::exp(x) - 0.999);
        if (Output() != nullptr)
            Output()->TellGUIInfo(
                "Nodes per second limit: " +
                TCommonOutputFormat::FToSGrouped(StopManager().LimitNodesPerSecond()));
    } else {
        StopManager().SetLimitNodesPerSecond(0);
        if (Output() != nullptr)
            Output()->TellGUIInfo("No nodes per second limit");
    }
}

std::string TMyInternalEngine::GameVariantName(const TGameVariant& AVariant) const {
    return AVariant.Name();
}

// ---- Position and moves ----

std::unique_ptr<TPosition> TMyInternalEngine::NewStartPosition() {
    if (!FStartPosition)
        FStartPosition = GameVariant()->CreateStartPosition();
    std::unique_ptr<TPosition> position = FStartPosition->Clone();
    position->InitializeHash();
    return position;
}

std::unique_ptr<TPosition> TMyInternalEngine::ParsePosition(std::string_view APosition) {
    // Read into a copy: a string that fails half-way must not touch the game.
    std::unique_ptr<TPosition>     position = FPosition->Clone();
    std::shared_ptr<ICustomParser> parser = GameVariant()->CreateForsythEdwardsNotationParser();
    parser->SetPosition(position.get());
    parser->Parse(APosition);
    parser->SetPosition(nullptr);
    return position;
}

namespace {

// The castling text the front end expects; the position reads every form whatever is chosen.
void ApplyCastlingNotation(TPosition& APosition, TCastlingNotation ANotation) {
    if (ANotation != cnVariant)
        APosition.SetCastlingText(ANotation == cnCastleStrings, ANotation == cnKingTakesRook);
}

} // namespace

void TMyInternalEngine::SetCastlingNotation(TCastlingNotation AValue) {
    TInternalEngine::SetCastlingNotation(AValue);
    if (FPosition)
        ApplyCastlingNotation(*FPosition, AValue);
}

void TMyInternalEngine::InstallPosition(std::unique_ptr<TPosition> APosition) {
    FPosition = std::move(APosition);
    ApplyCastlingNotation(*FPosition, CastlingNotation());
    FMoveGenerator->SetPosition(FPosition.get());
    // The played moves belong to the replaced position.
    FStack.clear();
    FLastMove.clear();
    SetSideToMove(FPosition->Side());
}

TMyInternalEngine::TGame TMyInternalEngine::TakeGame() {
    TGame game{std::move(FPosition), std::move(FStack), std::move(FLastMove), SideToMove()};
    FStack.clear();
    FLastMove.clear();
    return game;
}

void TMyInternalEngine::RestoreGame(TGame AGame) {
    FPosition = std::move(AGame.Position);
    FMoveGenerator->SetPosition(FPosition.get());
    FStack = std::move(AGame.Stack);
    FLastMove = std::move(AGame.LastMove);
    SetSideToMove(AGame.SideToMove);
}

void TMyInternalEngine::PlayMove(std::string_view AMove) {
    const std::unique_ptr<TMove> parsed = FPosition->StringToMove(AMove);
    TMove                        legal{};
    bool                         found = false;
    {
        FMoveGenerator->SetPosition(FPosition.get());
        TMoveListGuard guard(*FMoveGenerator);
        for (const TMove& move : guard.List())
            if (IsSameMove(move, *parsed)) {
                legal = move;
                found = true;
                break;
            }
    }
    if (!found)
        throw EArgumentException("Illegal move: " + std::string(AMove));
    FPosition->MakeRevertableMove(legal);
    FStack.push_back({legal, std::string(AMove)});
    FLastMove = AMove;
    SetSideToMove(FPosition->Side());
}

void TMyInternalEngine::ReadPosition(std::string_view APosition, std::int32_t& ASideToMove) {
    StopPerft();
    TInternalEngine::ReadPosition(APosition, ASideToMove);
    InstallPosition(ParsePosition(APosition));
    ASideToMove = FPosition->Side();
}

void TMyInternalEngine::NewGame() {
    FStartPosition.reset();
    TInternalEngine::NewGame();
}

void TMyInternalEngine::SetStartPos() {
    StopPerft();
    TInternalEngine::SetStartPos();
    InstallPosition(NewStartPosition());
}

void TMyInternalEngine::SetGamePosition(bool AStartPosition, std::string_view APosition,
                                        std::string_view AMoves) {
    StopPerft();
    std::unique_ptr<TPosition> position =
        AStartPosition ? NewStartPosition() : ParsePosition(APosition);
    TGame previous = TakeGame();
    InstallPosition(std::move(position));
    try {
        DoMoves(AMoves);
    } catch (...) {
        RestoreGame(std::move(previous));
        throw;
    }
    RootMoves().Clear();
}

void TMyInternalEngine::Undo() {
    TInternalEngine::Undo();
    if (FStack.empty())
        throw Exception("Number of pop calls is bigger then number of push calls.");
    const TMove move = FStack.back().Move;
    FStack.pop_back();
    FPosition->RevertMove(move);
    FLastMove = FStack.empty() ? std::string() : FStack.back().Text;
    SetSideToMove(FPosition->Side());
}

void TMyInternalEngine::SetGameVariant(TGameVariant* AValue) {
    if (AValue == GameVariant())
        return;
    if (AValue == nullptr)
        throw EArgumentException("Game variant not set.");
    StopPerft();
    // Everything of the new variant first, so that a failure leaves the old game.
    std::unique_ptr<TMoveGenerator> generator = AValue->CreateMoveGenerator();
    std::unique_ptr<TPosition>      start = AValue->CreateStartPosition();
    std::unique_ptr<TPosition>      position = start->Clone();
    position->InitializeHash();
    FMoveGenerator.reset();
    FPosition.reset();
    TInternalEngine::SetGameVariant(AValue);
    FMoveGenerator = std::move(generator);
    FStartPosition = std::move(start);
    InstallPosition(std::move(position));
}

std::int32_t TMyInternalEngine::RemainMoveCount() {
    return FPosition->GetRemainMoveCount();
}

// ---- Search and perft ----

void TMyInternalEngine::Start() {
    StopPerft();
    TInternalEngine::Start();
}

void TMyInternalEngine::Stop() {
    TInternalEngine::Stop();
    StopPerft();
}

void TMyInternalEngine::SetOutput(std::unique_ptr<TEngineOutput> AValue) {
    StopPerft();
    TInternalEngine::SetOutput(std::move(AValue));
}

void TMyInternalEngine::StopPerft() {
    if (!FPerftCalculatorThreads)
        return;
    try {
        FPerftCalculatorThreads->Terminate();
        FPerftCalculatorThreads->WaitFor();
    } catch (...) {
        // Stopping never fails; the thread object is released all the same.
    }
    FPerftCalculatorThreads.reset();
}

void TMyInternalEngine::WaitForPerft() {
    if (FPerftCalculatorThreads)
        FPerftCalculatorThreads->WaitFor();
}

void TMyInternalEngine::GetPerft(std::int32_t ADepth) {
    const std::int32_t limit = std::min<std::int32_t>(FPerftDepthLimit, MaximalPerftDepth);
    if (ADepth > limit)
        throw EArgumentOutOfRangeException("Perft depth must not exceed " + std::to_string(limit) +
                                           ".");
    TInternalEngine::GetPerft(ADepth);
    try {
        try {
            FHashTable->ReallocateMemory();
        } catch (const Exception& e) {
            // The count is still exact without the table, only slower.
            if (Output() != nullptr)
                Output()->TellGUIError(e.what());
        }
        auto threads = std::make_unique<TPerftCalculatorThreads>();
        threads->SetHashTable(FHashTable->Allocated() ? FHashTable.get() : nullptr);
        threads->SetThreadCount(static_cast<std::int32_t>(FThreads->Value()));
        threads->SetGameVariant(GameVariant());
        threads->SetPosition(FPosition->Clone());
        threads->SetMaximalDepth(ADepth);
        threads->SetOutput(Output());
        threads->SetOnStop([this](TPerftCalculatorThreads&) {
            OnStop(*this);
            FPerftRunning.store(false, std::memory_order_release);
            PerftEnded();
        });
        FPerftCalculatorThreads = std::move(threads);
        FPerftRunning.store(true, std::memory_order_release);
        FPerftCalculatorThreads->Start();
    } catch (...) {
        FPerftCalculatorThreads.reset();
        FPerftRunning.store(false, std::memory_order_release);
        OnStop(*this);
        throw;
    }
}

// ---- Diagnostics ----

void TMyInternalEngine::EngineStateToConsole() {
    TInternalEngine::EngineStateToConsole();
    TEngineOutput* output = Output();
    if (output == nullptr)
        return;
    output->TellGUIInfo("FEN: " + GetPositionString());
    FPosition->InitializeHash();
    const THash& hash = FPosition->Hash();
    output->TellGUIInfo("Hash Index: 0x" + TCommonOutputFormat::NumToStrU(hash.Index, 16));
    output->TellGUIInfo("Hash Code: 0x" + TCommonOutputFormat::NumToStrU(hash.Code, 16));
    WriteLegalMoves();
    if (FHashTable)
        output->TellGUIInfo("Perft Hash: " + FHashTable->StateToString());
}

void TMyInternalEngine::WriteLegalMoves() {
    FMoveGenerator->SetPosition(FPosition.get());
    TMoveListGuard guard(*FMoveGenerator);
    TMoveList&     list = guard.List();
    std::string    text = std::to_string(list.Count) + " legal moves: ";
    for (std::uint32_t i = 0; i < list.Count; ++i) {
        if (i > 0)
            text += "; ";
        text += FPosition->MoveToString(*list.Get(i));
    }
    Output()->TellGUIInfo(text);
}

TGameTermination TMyInternalEngine::GetGameTermination() {
    // A generator of its own: the engine's may hold a list of the running search.
    std::unique_ptr<TMoveGenerator> generator = GameVariant()->CreateMoveGenerator();
    generator->SetPosition(FPosition.get());
    TMoveListGuard guard(*generator);
    if (guard.List().Count != 0)
        return {};
    return generator->NoMoveTermination();
}

std::string TMyInternalEngine::GetPositionString() {
    std::shared_ptr<ICustomWriter> writer = GameVariant()->CreateForsythEdwardsNotationWriter();
    writer->SetPosition(FPosition.get());
    std::string text = writer->AsString();
    writer->SetPosition(nullptr);
    return text;
}

void TMyInternalEngine::EvalToConsole() {
    FMoveGenerator->SetPosition(FPosition.get());
    {
        // Generating computes the evaluation.
        TMoveListGuard guard(*FMoveGenerator);
    }
    if (Output() != nullptr)
        Output()->TellGUIInfo("Score: " + Output()->ScoreToStr(FMoveGenerator->Score(), sbExact));
    if (OutputSink() != nullptr)
        FMoveGenerator->ScoreToOutput(*OutputSink());
}

void TMyInternalEngine::WriteBoardToConsole() {
    if (OutputSink() != nullptr)
        FPosition->WriteToConsole(*OutputSink());
}
