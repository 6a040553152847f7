#include "protocols/usi/uUSIEngineOutput.h"

std::string TUSIEngineOutput::ScoreToStr(TScore AScore, TScoreBound AScoreBound) {
    return UsiScoreText(AScore, AScoreBound);
}

std::string UsiScoreText(TScore AScore, TScoreBound AScoreBound) {
    const int s = AScore;
    if (s < ScoreMateMin && s > -ScoreMateMin)
        return UciScoreText(AScore, AScoreBound);
    if (s > ScoreMate || s < -ScoreMate)
        return UciScoreText(AScore, AScoreBound);
    std::string text = s > 0 ? "mate " + std::to_string(ScoreInfinity - s)
                             : "mate -" + std::to_string(s + ScoreInfinity);
    if (AScoreBound == sbLower)
        text += " lowerbound";
    else if (AScoreBound == sbUpper)
        text += " upperbound";
    return text;
}
