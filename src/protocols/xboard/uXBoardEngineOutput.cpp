#include "protocols/xboard/uXBoardEngineOutput.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uInternalEngine.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "protocols/xboard/uXBoardVariants.h"
#include "shell/uCustomConsole.h"
#include "support/uTextHelpers.h"

#include <cstdint>
#include <optional>

std::int64_t ThinkingCentiseconds(std::int64_t AMilliseconds) {
    return AMilliseconds >= 0 ? (AMilliseconds + 5) / 10 : -((-AMilliseconds + 5) / 10);
}

std::int64_t StatusCentiseconds(std::int64_t AMilliseconds) {
    std::int64_t quotient = AMilliseconds / 10;
    std::int64_t remainder = AMilliseconds % 10;
    if (remainder < 0) {
        remainder += 10;
        --quotient;
    }
    if (remainder > 5 || (remainder == 5 && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

namespace {

// The side to move that lost, or -1 when the result is no loss of either side.
int LoserOf(TGameResult AResult) {
    switch (AResult) {
    case grWhiteWin:
        return 1;
    case grBlackWin:
        return 0;
    default:
        return -1;
    }
}

std::string ResultText(const TGameTermination& ATermination) {
    switch (ATermination.Result) {
    case grWhiteWin:
        return ATermination.Cause == rcMates ? "1-0 {White mates}" : "1-0 {White wins}";
    case grBlackWin:
        return ATermination.Cause == rcMates ? "0-1 {Black mates}" : "0-1 {Black wins}";
    case grDraw:
        return ATermination.Cause == rcStalemate ? "1/2-1/2 {Stalemate}" : "1/2-1/2 {Draw}";
    case grUnknown:
        break;
    }
    return {};
}

} // namespace

TXBoardEngineOutput::TXBoardEngineOutput(TCustomConsole& AConsole)
    : TProtocolEngineOutput(AConsole) {
    SetNullMoveStr("@@@@");
}

void TXBoardEngineOutput::WriteComment(std::string_view AMessage, TTextType ATextType) {
    // A line without the comment mark could read as a command to the front end.
    std::vector<std::string> lines = SplitLines(AMessage);
    if (lines.empty())
        lines.emplace_back();
    TWriteBlock block(*this);
    for (const std::string& line : lines)
        WriteLine("# " + line, ATextType);
}

void TXBoardEngineOutput::TellGUIInfo(std::string_view AMessage) {
    WriteComment(AMessage, ccInfo);
}

void TXBoardEngineOutput::TellGUIDebug(std::string_view AMessage) {
    WriteComment(AMessage, ccDebug);
}

void TXBoardEngineOutput::TellGUIError(std::string_view AMessage) {
    // One line: the front end reads the error up to the line end.
    std::string text;
    for (const std::string& line : SplitLines(AMessage))
        text += (text.empty() ? "" : " ") + line;
    TWriteBlock block(*this);
    WriteLine("Error (" + text + ")", ccError);
}

void TXBoardEngineOutput::AcceptDraw() {
    OfferDraw();
}

void TXBoardEngineOutput::OfferDraw() {
    TWriteBlock block(*this);
    WriteLine("offer draw", ccKeyword);
}

void TXBoardEngineOutput::Resign() {
    TWriteBlock block(*this);
    WriteLine("resign", ccKeyword);
}

void TXBoardEngineOutput::IllegalMove(std::string_view AMove) {
    TWriteBlock block(*this);
    Write("Illegal move: ", ccError);
    WriteLine(AMove, ccValue);
}

void TXBoardEngineOutput::WriteKeywordLine(std::string_view AKeyword, std::string_view AValue) {
    TWriteBlock block(*this);
    Write(AKeyword, ccKeyword);
    WriteLine(AValue, ccValue);
}

void TXBoardEngineOutput::DrawNodes() {
    if (FAnalysisInfo == nullptr) {
        TellGUIError("No analysis available.");
        return;
    }
    const TAnalysisInfo& info = *FAnalysisInfo;
    const std::int32_t   moveCount = info.MoveCount();
    const std::string    text =
        std::to_string(StatusCentiseconds(info.ElapsedTime().Elapsed().ToMilliseconds())) + " " +
        std::to_string(info.Nodes()) + " " + std::to_string(info.Depth()) + " " +
        std::to_string(moveCount - info.CurrentMoveIndex() - 1) + " " + std::to_string(moveCount) +
        " " + info.CurrentMove();
    WriteKeywordLine("stat01: ", text);
}

bool TXBoardEngineOutput::WriteGameEnd() {
    if (FInternalEngine == nullptr)
        return false;
    const TGameTermination termination = FInternalEngine->GetGameTermination();
    if (termination.Result == grUnknown)
        return false;
    if (LoserOf(termination.Result) == FInternalEngine->SideToMove()) {
        Resign();
        return true;
    }
    ClaimResult(termination);
    return true;
}

void TXBoardEngineOutput::ClaimResult(const TGameTermination& ATermination) {
    if (ATermination.Result != grUnknown)
        WriteKeywordLine("result ", ResultForXBoard(ResultText(ATermination)));
}

std::string TXBoardEngineOutput::ResultForXBoard(std::string_view AResult) const {
    const std::optional<TXBoardBoardSize> board =
        FInternalEngine != nullptr ? XBoardTranslatedBoard(*FInternalEngine) : std::nullopt;
    return board && board->Mirrored ? MirrorResult(AResult) : std::string(AResult);
}

std::string TXBoardEngineOutput::ToXBoardMoves(std::string_view AMoves) const {
    const std::optional<TXBoardBoardSize> board =
        FInternalEngine != nullptr ? XBoardTranslatedBoard(*FInternalEngine) : std::nullopt;
    return board ? EngineToXBoardLine(AMoves, *board) : std::string(AMoves);
}

void TXBoardEngineOutput::DoImportMove() {
    const std::string move = FAnalysisInfo != nullptr ? FAnalysisInfo->BestMove() : std::string();
    if (move.empty()) {
        // A null move is no move in a game: xboard would refuse it.
        if (!WriteGameEnd())
            WriteKeywordLine("move ", NullMoveStr());
        return;
    }
    WriteKeywordLine("move ", ToXBoardMoves(move));
    // A score of an immediate mate: the move just announced mates, the engine's side wins.
    const std::optional<TAnalysis> last = FAnalysisInfo->LastAnalysis();
    if (last && last->Status.Score == ScoreMate) {
        const int side = FInternalEngine != nullptr ? FInternalEngine->SideToMove() : 0;
        WriteKeywordLine("result ",
                         ResultForXBoard(side == 0 ? "1-0 {White mates}" : "0-1 {Black mates}"));
    }
}

void TXBoardEngineOutput::DrawAMoves() {
    if (!FEnabled || FAnalysisInfo == nullptr)
        return;
    const std::optional<TAnalysis> line = FAnalysisInfo->GetActualAnalysis();
    if (!line)
        return;
    std::string text = std::to_string(line->Depth) + " " +
                       ScoreToStr(line->Status.Score, line->Status.ScoreBound) + " " +
                       std::to_string(ThinkingCentiseconds(line->ElapsedTime.ToMilliseconds())) +
                       " " + std::to_string(line->Nodes) + " " +
                       ToXBoardMoves(FAnalysisInfo->ActualAnalysisToString(NullMoveStr()));
    if (line->Status.ScoreBound == sbLower)
        text += " ?";
    else if (line->Status.ScoreBound == sbUpper)
        text += " !";
    TWriteBlock block(*this);
    WriteLine(text, ccValue);
}

void TXBoardEngineOutput::DrawCurrLine(std::string_view ACurrLine) {
    TellGUIInfo("Current line: " + std::string(ACurrLine));
}

std::string TXBoardEngineOutput::ScoreToStr(TScore AScore, TScoreBound) {
    return std::to_string(AScore);
}
