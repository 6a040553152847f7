#pragma once

#include "engine/uAnalysisInfo.h"
#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineTestSupport.h"
#include "engine/uInternalEngine.h"
#include "engine/uRootMoves.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardProtocol.h"
#include "shell/uCustomCommand.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xboardtest {

// An engine that plays like the shipped one on a made-up game: the legal moves are a fixed
// list, a played move must be one of them, and a search answers at once with the first move the
// root filter accepts, or with no move when none is left. The played moves stand for the
// position.
class TXBoardTestEngine final : public TInternalEngine {
public:
    TXBoardTestEngine() {
        // One option of every kind a front end is shown.
        Options().DeleteAll();
        Options().Add(CommonOptions().ContemptValue());
        Options().Own(std::make_unique<TSwitchArgument>("Check Option", "", rcOptional, true));
        Options().Own(std::make_unique<TStringArgument>("Text", "", rcOptional, "abc"));
        Options().Own(std::make_unique<TFileNameArgument>("Book File", "", rcOptional, false));
        Options().Own(std::make_unique<TComboArgument>(
            "Combo", "", std::vector<std::string>{"One", "Two words", "Three"}, 1));
        auto& button = Options().Own(std::make_unique<TButtonArgument>("Button", ""));
        button.SetOnChange([this](TCustomArgument&) { ++FButtonPresses; });
        if (GameVariants().Count() == 0)
            RegisterGameVariants(GameVariants());
    }

    void PlayMove(std::string_view AMove) override {
        if (std::find(FLegalMoves.begin(), FLegalMoves.end(), AMove) == FLegalMoves.end())
            throw EConvertError("Illegal move: " + std::string(AMove));
        TInternalEngine::PlayMove(AMove);
        FPlayed.emplace_back(AMove);
    }
    void ReadPosition(std::string_view APosition, std::int32_t& ASideToMove) override {
        if (APosition.starts_with("bad"))
            throw EConvertError("Bad position");
        TInternalEngine::ReadPosition(APosition, ASideToMove);
        FPosition = APosition;
        FPlayed.clear();
        ASideToMove = APosition.find(" b") != std::string_view::npos ? 1 : 0;
    }
    void SetStartPos() override {
        TInternalEngine::SetStartPos();
        FPosition = "startpos";
        FPlayed.clear();
    }
    void NewGame() override {
        TInternalEngine::NewGame();
        ++FNewGames;
    }
    void Undo() override {
        if (FPlayed.empty())
            throw Exception("No move to take back.");
        TInternalEngine::Undo();
        FPlayed.pop_back();
        SetSideToMove(SideToMove() ^ 1);
    }
    void Start() override {
        TInternalEngine::Start();
        ++FSearches;
        for (const std::string& move : FLegalMoves)
            if (RootMoves().AcceptMove(move) &&
                std::find(FPlayed.begin(), FPlayed.end(), move) == FPlayed.end()) {
                std::vector<std::string> line = {move};
                line.insert(line.end(), FContinuation.begin(), FContinuation.end());
                AnalysisInfo().AddAnalysis(
                    {FScore, sbExact, vcNone, static_cast<std::uint16_t>(line.size())}, line);
                Output()->DrawAMoves();
                break;
            }
        DoBestMove();
    }
    TGameTermination GetGameTermination() override { return FTermination; }
    std::string      GetPositionString() override { return "fen of " + FPosition; }
    std::int32_t     RemainMoveCount() override { return 35; }
    void             EvalToConsole() override {}
    void             WriteBoardToConsole() override {}
    std::string      GetCurrentLine() override { return "e2e4 e7e5"; }

    TCustomArgument& Option(std::string_view AName) { return *Options().FindByString(AName); }

    std::vector<std::string> FLegalMoves = {"e2e4", "e7e5", "g1f3", "b8c6"};
    std::vector<std::string> FContinuation;
    std::vector<std::string> FPlayed;
    std::string              FPosition;
    TScore                   FScore = 25;
    TGameTermination         FTermination;
    int                      FNewGames = 0;
    int                      FSearches = 0;
    int                      FButtonPresses = 0;

protected:
    std::string GameVariantName(const TGameVariant& AVariant) const override {
        return AVariant.Name();
    }
};

// The protocol on a test engine, its commands in a registry as the console holds them, and the
// lines the engine writes.
class TXBoardProtocolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        auto output = std::make_unique<TXBoardEngineOutput>(FConsole);
        FOutput = output.get();
        FOutput->SetInternalEngine(&FEngine);
        FEngine.SetOutput(std::move(output));
        FProtocol.SetInternalEngine(&FEngine);
        FProtocol.Initialize();
        FCommands.Add(FProtocol.TakeCommands());
    }
    std::vector<std::string> Run(std::string_view ALine) {
        RunLine(FCommands, ALine);
        return TakeLines(FConsole);
    }
    // The failure of a command line; the lines written meanwhile go to FLinesAfterError.
    std::string Error(std::string_view ALine) {
        std::string message = RunLineError(FCommands, ALine);
        FLinesAfterError = TakeLines(FConsole);
        return message;
    }

    TFakeConsole             FConsole{true};
    TXBoardTestEngine        FEngine;
    TXBoardEngineOutput*     FOutput = nullptr;
    TXBoardProtocol          FProtocol;
    TCommands                FCommands;
    std::vector<std::string> FLinesAfterError;
};

} // namespace xboardtest
