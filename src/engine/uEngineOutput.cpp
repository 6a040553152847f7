#include "engine/uEngineOutput.h"

#include "engine/uAnalysisInfo.h"
#include "shell/uCustomConsole.h"
#include "support/uLogger.h"

#include <mutex>

TWriteBlock::~TWriteBlock() noexcept(false) {
    if (std::uncaught_exceptions() > FUncaught) {
        try {
            FOutput.StopWrite();
        } catch (...) {
            // The first failure is the one the writer reports.
        }
        return;
    }
    FOutput.StopWrite();
}

// ---- TLoggedEngineOutput ----

void TLoggedEngineOutput::Write(std::string_view AText, TTextType) {
    if (IsLoggerFor(mlDebug))
        FText += AText;
}

void TLoggedEngineOutput::WriteLine(std::string_view AText, TTextType) {
    if (IsLoggerFor(mlDebug)) {
        FText += AText;
        FText += '\n';
    }
}

void TLoggedEngineOutput::StopWrite() {
    std::string text = std::move(FText);
    FText.clear();
    if (!text.empty() && IsLoggerFor(mlDebug))
        MainLog()->Log(mlDebug, "\u2013>: " + text);
}

// ---- TProtocolEngineOutput ----

TProtocolEngineOutput::TProtocolEngineOutput(TCustomConsole& AConsole) : FConsole(AConsole) {}

void TProtocolEngineOutput::StartWrite() {
    TLoggedEngineOutput::StartWrite();
    // The console's lock: also the common output's messages wait for a whole block.
    FConsole.Lock().lock();
}

void TProtocolEngineOutput::StopWrite() {
    try {
        TLoggedEngineOutput::StopWrite();
        if (FConsole.IsRedirected()) {
            // A block that ends inside a line still reaches the front end.
            if (!FText.empty()) {
                std::string text = std::move(FText);
                FText.clear();
                FConsole.Write(text);
            }
            FlushOutput();
        }
    } catch (...) {
        FText.clear();
        FConsole.Lock().unlock();
        throw;
    }
    FConsole.Lock().unlock();
}

void TProtocolEngineOutput::Write(std::string_view AText, TTextType ATextType) {
    TLoggedEngineOutput::Write(AText, ATextType);
    if (AText.empty())
        return;
    if (FConsole.IsRedirected())
        FText += AText;
    else
        FConsole.Write(AText, TextTypeColor(ATextType));
}

void TProtocolEngineOutput::WriteLine(std::string_view AText, TTextType ATextType) {
    TLoggedEngineOutput::WriteLine(AText, ATextType);
    if (!FConsole.IsRedirected()) {
        FConsole.WriteLine(AText, TextTypeColor(ATextType));
        return;
    }
    // Emptied before writing, so that a failed write does not leak into the next block.
    std::string line = std::move(FText);
    FText.clear();
    line += AText;
    FConsole.WriteLine(line);
}

void TProtocolEngineOutput::FlushOutput() {
    FConsole.Flush();
}

TColorAttribute TProtocolEngineOutput::TextTypeColor(TTextType ATextType) const {
    const TConsoleCustomTheme& theme = FConsole.Theme();
    const TConsoleColor        background = theme.DefaultBackgroundColor();
    switch (ATextType) {
    case ccDebug:
        return theme.GetColorForMessageLevel(mlDebug);
    case ccError:
        return theme.GetColorForMessageLevel(mlError);
    case ccInfo:
        return theme.GetColorForMessageLevel(mlInformation);
    case ccKeyword:
        return theme.GetColor(ccAqua, background);
    case ccValue:
        return theme.GetColor(ccYellow, background);
    case ccFalseValue:
        return theme.GetColor(ccLightRed, background);
    case ccTrueValue:
        return theme.GetColor(ccLightGreen, background);
    }
    return theme.DefaultColor();
}

// ---- TNoProtocolEngineOutput ----

TNoProtocolEngineOutput::TNoProtocolEngineOutput(TCustomConsole& AConsole)
    : TProtocolEngineOutput(AConsole) {
    SetNullMoveStr("--");
}

void TNoProtocolEngineOutput::TellGUIInfo(std::string_view AMessage) {
    TWriteBlock block(*this);
    WriteLine(AMessage, ccInfo);
}

void TNoProtocolEngineOutput::TellGUIError(std::string_view AMessage) {
    TWriteBlock block(*this);
    // Logged like any piece, but shown where the console shows every error.
    TLoggedEngineOutput::WriteLine(AMessage, ccError);
    OutputConsole().WriteErrorLine(AMessage);
}

void TNoProtocolEngineOutput::TellGUIDebug(std::string_view AMessage) {
    TWriteBlock block(*this);
    WriteLine(AMessage, ccDebug);
}

void TNoProtocolEngineOutput::AcceptDraw() {
    TellGUIInfo("I accept a draw!");
}

void TNoProtocolEngineOutput::OfferDraw() {
    TellGUIInfo("I offer a draw!");
}

void TNoProtocolEngineOutput::ShowBestMove(bool) {
    std::string move = FAnalysisInfo != nullptr ? FAnalysisInfo->BestMove() : std::string();
    TellGUIInfo("Best move: " + (move.empty() ? NullMoveStr() : move));
}

std::string TNoProtocolEngineOutput::ScoreToStr(TScore AScore, TScoreBound AScoreBound) {
    return UciScoreText(AScore, AScoreBound);
}

std::string UciScoreText(TScore AScore, TScoreBound AScoreBound) {
    const int   s = AScore;
    std::string text;
    if (s == ScoreNone)
        text = "none";
    else if (s == -ScoreInfinity)
        text = "\u2013inf";
    else if (s == ScoreInfinity)
        text = "+inf";
    else if (s >= ScoreMateMin)
        text = "mate " + std::to_string((ScoreMate - s) / 2 + 1);
    else if (s <= -ScoreMateMin)
        text = "mate -" + std::to_string((s + ScoreMate) / 2 + 1);
    else
        text = "cp " + std::to_string(s);
    if (AScoreBound == sbLower)
        text += " lowerbound";
    else if (AScoreBound == sbUpper)
        text += " upperbound";
    return text;
}
