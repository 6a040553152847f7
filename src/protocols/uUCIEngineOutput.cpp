#include "protocols/uUCIEngineOutput.h"

#include "engine/uAnalysisInfo.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cmath>

TUCIEngineOutput::TUCIEngineOutput(TCustomConsole& AConsole) : TProtocolEngineOutput(AConsole) {
    SetNullMoveStr("0000");
}

// ---- messages ----

void TUCIEngineOutput::WriteMessage(std::string_view APrefix, std::string_view AMessage,
                                    TTextType ATextType) {
    // A front end reads each line on its own: a line without the "info string" prefix would be
    // taken for a command of its own.
    std::vector<std::string> lines = SplitLines(AMessage);
    if (lines.empty())
        lines.emplace_back();
    TWriteBlock block(*this);
    for (std::size_t i = 0; i < lines.size(); ++i)
        WriteLine((i == 0 ? std::string(APrefix) : std::string("info string ")) + lines[i],
                  ATextType);
}

void TUCIEngineOutput::TellGUIInfo(std::string_view AMessage) {
    WriteMessage("info string ", AMessage, ccInfo);
}

void TUCIEngineOutput::TellGUIError(std::string_view AMessage) {
    WriteMessage("info string Error: ", AMessage, ccError);
}

void TUCIEngineOutput::TellGUIDebug(std::string_view AMessage) {
    WriteMessage("info string Debug: ", AMessage, ccDebug);
}

void TUCIEngineOutput::AcceptDraw() {
    TellGUIInfo("I accept a draw!");
}

void TUCIEngineOutput::OfferDraw() {
    TellGUIInfo("I offer a draw!");
}

void TUCIEngineOutput::DoImportMove() {
    throw ENotSupportedException("Do not call DoImpportMove in UCI protocol.");
}

std::string TUCIEngineOutput::ScoreToStr(TScore AScore, TScoreBound AScoreBound) {
    return UciScoreText(AScore, AScoreBound);
}

// ---- search progress ----

TTimeSpan TUCIEngineOutput::Elapsed() const {
    return FAnalysisInfo != nullptr ? FAnalysisInfo->ElapsedTime().Elapsed() : TTimeSpan();
}

void TUCIEngineOutput::Start() {
    FLastDrawSelDepthTime = TTimeSpan();
    FLastDrawSelDepth = 0;
    FLastDrawMove1Time = TTimeSpan();
    FLastCurrentMoveIndex = 0;
    std::scoped_lock lock(FCurrentMoveLock);
    FLastCurrentMove.clear();
}

void TUCIEngineOutput::WriteNodesInfo() {
    const TTimeSpan     elapsed = Elapsed();
    const std::uint64_t nodes = FAnalysisInfo != nullptr ? FAnalysisInfo->Nodes() : 0;
    Write(" time ", ccKeyword);
    Write(std::to_string(elapsed.ToMilliseconds()), ccValue);
    Write(" nodes ", ccKeyword);
    Write(std::to_string(nodes), ccValue);
    if (!elapsed.IsZero()) {
        Write(" nps ", ccKeyword);
        Write(std::to_string(NodesPerSecond(nodes, elapsed)), ccValue);
    }
    if (FAnalysisInfo != nullptr && FAnalysisInfo->HashPos() != 0) {
        Write(" hashfull ", ccKeyword);
        Write(std::to_string(FAnalysisInfo->HashFull()), ccValue);
    }
    if (FAnalysisInfo != nullptr && FAnalysisInfo->EndgameTableBasesHits() != 0) {
        Write(" tbhits ", ccKeyword);
        Write(std::to_string(FAnalysisInfo->EndgameTableBasesHits()), ccValue);
    }
    WriteLine("", ccValue);
}

void TUCIEngineOutput::DrawDepth() {
    TWriteBlock block(*this);
    Write("info depth ", ccKeyword);
    Write(std::to_string(FAnalysisInfo != nullptr ? FAnalysisInfo->Depth() : 0), ccValue);
    WriteNodesInfo();
}

void TUCIEngineOutput::DrawNodes() {
    TWriteBlock block(*this);
    Write("info", ccKeyword);
    WriteNodesInfo();
}

void TUCIEngineOutput::DrawAMoves() {
    if (FAnalysisInfo == nullptr)
        return;
    // One snapshot, so that the numbers and the moves belong to the same line.
    const std::optional<TAnalysis> line = FAnalysisInfo->GetActualAnalysis();
    if (!line)
        return;
    const std::size_t count = std::min<std::size_t>(line->Status.MoveCount, line->Moves.size());
    std::string       pv;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            pv += ' ';
        pv += line->Moves[i].empty() ? NullMoveStr() : line->Moves[i];
    }
    TWriteBlock block(*this);
    Write("info depth ", ccKeyword);
    Write(std::to_string(line->Depth), ccValue);
    Write(" seldepth ", ccKeyword);
    Write(std::to_string(line->SelDepth), ccValue);
    Write(" multipv ", ccKeyword);
    Write("1", ccValue);
    Write(" time ", ccKeyword);
    Write(std::to_string(line->ElapsedTime.ToMilliseconds()), ccValue);
    Write(" nodes ", ccKeyword);
    Write(std::to_string(line->Nodes), ccValue);
    Write(" nps ", ccKeyword);
    Write(std::to_string(line->GetNodesPerSecond()), ccValue);
    Write(" score ", ccKeyword);
    Write(ScoreToStr(line->Status.Score, line->Status.ScoreBound), ccValue);
    Write(" pv ", ccKeyword);
    WriteLine(pv, ccValue);
}

void TUCIEngineOutput::DrawCurrLine(std::string_view ACurrLine) {
    TWriteBlock block(*this);
    Write("info currline ", ccKeyword);
    WriteLine(ACurrLine, ccValue);
}

bool TUCIEngineOutput::ThrottleAllows(bool AOnChange, bool AEverySecond,
                                      TTimeSpan ALastTime) const {
    if (AOnChange)
        return true;
    if (!AEverySecond)
        return false;
    // Whole seconds, rounded: from 1.5 s on.
    return std::llround((Elapsed() - ALastTime).ToSeconds()) >= 2;
}

void TUCIEngineOutput::DrawMove1() {
    if (ThrottleAllows(FShowCurrentMoveOnChange, FShowCurrentMoveEverySecond, FLastDrawMove1Time))
        WriteCurrentMove();
}

void TUCIEngineOutput::WriteCurrentMove() {
    if (FAnalysisInfo == nullptr)
        return;
    const std::int32_t index = FAnalysisInfo->CurrentMoveIndex();
    std::string        move = FAnalysisInfo->CurrentMove();
    {
        std::scoped_lock lock(FCurrentMoveLock);
        if (index == FLastCurrentMoveIndex && move == FLastCurrentMove)
            return;
        FLastCurrentMoveIndex = index;
        FLastCurrentMove = move;
    }
    FLastDrawMove1Time = Elapsed();
    TWriteBlock block(*this);
    Write("info currmove ", ccKeyword);
    Write(index == -1 || move.empty() ? NullMoveStr() : move, ccValue);
    Write(" currmovenumber ", ccKeyword);
    WriteLine(std::to_string(index + 1), ccValue);
}

void TUCIEngineOutput::DrawSelDepth() {
    if (ThrottleAllows(FShowSelectiveDepthOnChange, FShowSelectiveDepthEverySecond,
                       FLastDrawSelDepthTime))
        WriteSelDepth();
}

void TUCIEngineOutput::WriteSelDepth() {
    if (FAnalysisInfo == nullptr)
        return;
    const std::int32_t selDepth = FAnalysisInfo->SelDepth();
    if (selDepth == FLastDrawSelDepth)
        return;
    FLastDrawSelDepth = selDepth;
    FLastDrawSelDepthTime = Elapsed();
    TWriteBlock block(*this);
    Write("info depth ", ccKeyword);
    Write(std::to_string(FAnalysisInfo->Depth()), ccValue);
    Write(" seldepth ", ccKeyword);
    WriteLine(std::to_string(selDepth), ccValue);
}

void TUCIEngineOutput::OneSecond() {
    DrawNodes();
    if (FShowCurrentMoveEverySecond)
        WriteCurrentMove();
    if (FShowSelectiveDepthEverySecond)
        WriteSelDepth();
}

// ---- best move ----

void TUCIEngineOutput::WritePieces(const TPieces& APieces) {
    TWriteBlock block(*this);
    for (std::size_t i = 0; i + 1 < APieces.size(); ++i)
        Write(APieces[i].first, APieces[i].second);
    if (!APieces.empty())
        WriteLine(APieces.back().first, APieces.back().second);
}

void TUCIEngineOutput::ShowBestMove(bool APonder) {
    DrawNodes();
    TPieces           pieces{{"bestmove ", ccKeyword}};
    const std::string bestMove = FAnalysisInfo != nullptr ? FAnalysisInfo->BestMove() : "";
    if (bestMove.empty()) {
        pieces.emplace_back(NoBestMoveText(), ccValue);
    } else {
        pieces.emplace_back(bestMove, ccValue);
        const std::optional<TAnalysis> last =
            APonder ? FAnalysisInfo->LastAnalysis() : std::optional<TAnalysis>();
        // The ponder move answers the best move, so it is taken only from a line that begins
        // with that move.
        if (last && last->Moves.size() >= 2 && last->Moves[0] == bestMove &&
            !last->Moves[1].empty()) {
            pieces.emplace_back(" ponder ", ccKeyword);
            pieces.emplace_back(last->Moves[1], ccValue);
        }
    }
    std::scoped_lock lock(FBestMoveLock);
    if (FHoldBestMove) {
        FHeldBestMove = std::move(pieces);
        return;
    }
    WritePieces(pieces);
}

void TUCIEngineOutput::HoldBestMove() {
    std::scoped_lock lock(FBestMoveLock);
    FHoldBestMove = true;
}

void TUCIEngineOutput::ReleaseBestMove() {
    std::scoped_lock lock(FBestMoveLock);
    FHoldBestMove = false;
    if (!FHeldBestMove)
        return;
    TPieces pieces = std::move(*FHeldBestMove);
    FHeldBestMove.reset();
    WritePieces(pieces);
}

bool TUCIEngineOutput::HoldingBestMove() {
    std::scoped_lock lock(FBestMoveLock);
    return FHoldBestMove;
}

bool TUCIEngineOutput::BestMoveHeld() {
    std::scoped_lock lock(FBestMoveLock);
    return FHeldBestMove.has_value();
}
