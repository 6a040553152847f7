#pragma once

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineTestSupport.h"
#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "games/uGameVariant.h"
#include "protocols/uUCIEngineOutput.h"
#include "protocols/uUCIProtocol.h"
#include "shell/uCustomCommand.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// An engine that plays like the shipped one on a made-up game: the legal moves are a fixed
// list, a played move must be one of them, and a search answers at once with the first move
// the root filter accepts (or with no move when none is left).
class TUCITestEngine final : public TInternalEngine {
public:
    TUCITestEngine() {
        // A small option list with one option of every kind a front end is shown.
        Options().DeleteAll();
        Options().Own(std::make_unique<TSwitchArgument>("Check Option", "", rcOptional, true));
        Options().Own(std::make_unique<TNumericalIntervalArgument>("Spin Option", "", -5, 100, 10));
        Options().Own(std::make_unique<TStringArgument>("Text", "", rcOptional, "abc"));
        Options().Own(std::make_unique<TComboArgument>(
            "Combo", "", std::vector<std::string>{"One", "Two words"}, 1));
        auto& button = Options().Own(std::make_unique<TButtonArgument>("Button", ""));
        button.SetOnChange([this](TCustomArgument&) { ++FButtonPresses; });
    }

    void PlayMove(std::string_view AMove) override {
        if (std::find(FLegalMoves.begin(), FLegalMoves.end(), AMove) == FLegalMoves.end())
            throw EConvertError("Illegal move " + std::string(AMove));
        TInternalEngine::PlayMove(AMove);
        FPlayed.emplace_back(AMove);
    }
    void ReadPosition(std::string_view APosition, std::int32_t& ASideToMove) override {
        if (APosition == "bad")
            throw EConvertError("Bad position");
        TInternalEngine::ReadPosition(APosition, ASideToMove);
        FPosition = APosition;
        FPlayed.clear();
        ASideToMove = APosition.find(" b") != std::string_view::npos ? 1 : 0;
    }
    void NewGame() override {
        ++FNewGames;
        TInternalEngine::NewGame();
    }
    void SetStartPos() override {
        TInternalEngine::SetStartPos();
        FPosition = "startpos";
        FPlayed.clear();
        ++FStartPositions;
    }
    void Start() override {
        TInternalEngine::Start();
        for (const std::string& move : FLegalMoves)
            if (RootMoves().AcceptMove(move)) {
                AnalysisInfo().AddAnalysis({25, sbExact, vcNone, 1}, {move});
                Output()->DrawAMoves();
                break;
            }
        DoBestMove();
    }
    void SetCastlingNotation(TCastlingNotation AValue) override {
        TInternalEngine::SetCastlingNotation(AValue);
        FNotations.push_back(AValue);
    }
    std::int32_t RemainMoveCount() override { return 35; }
    void         EvalToConsole() override {}
    void         WriteBoardToConsole() override {}
    std::string  GetCurrentLine() override { return {}; }

    TCustomArgument& Option(std::string_view AName) { return *Options().FindByString(AName); }

    std::vector<std::string>       FLegalMoves = {"a2a3", "d2d4", "e2e4", "e7e5"};
    std::vector<std::string>       FPlayed;
    std::string                    FPosition;
    int                            FStartPositions = 0;
    int                            FNewGames = 0;
    int                            FButtonPresses = 0;
    std::vector<TCastlingNotation> FNotations;

protected:
    std::string GameVariantName(const TGameVariant& AVariant) const override {
        return AVariant.Name();
    }
};
