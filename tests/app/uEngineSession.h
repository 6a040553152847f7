#pragma once

// One application with the shipped engine, kept for many sessions: Reset puts both back to how
// they were when the session object was made (no protocol, the start position of the first
// variant, the same options and levels), so that a harness can run input after input without
// building a new world for each. Fingerprint lists the state a reset must restore; a test
// compares it after the busiest sessions with the one of a new object.

#include "app/uConsoleEngine.h"
#include "engine/uEngineOutput.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uTimeControlLevel.h"
#include "engine/uVexdraEngine.h"
#include "games/uGameVariant.h"
#include "shell/uCustomCommand.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class TEngineSession final {
public:
    // AAdjust may fit the engine to the harness (smaller tables, fewer threads) before the
    // state to come back to is taken.
    template <class TAdjust> explicit TEngineSession(TAdjust AAdjust) {
        FApplication = std::make_unique<TConsoleEngine>();
        FApplication->Initialize();
        FEngine = std::make_unique<TVexdraEngine>();
        AAdjust(*FEngine);
        FApplication->SetInternalEngine(FEngine.get());
        TArguments& options = FEngine->Options();
        for (int i = 0; i < options.Count(); ++i) {
            FOptions.push_back(&options.Get(i));
            FOptionValues.push_back(options.Get(i).GetValueAsString());
            FOptionNames.push_back(options.Get(i).Shortcut());
        }
        FVariant = FEngine->GameVariant();
        FCastlingNotation = FEngine->CastlingNotation();
        FDoMoveAfterStop = FEngine->DoMoveAfterStop();
        FOpponent = FEngine->Opponent();
        FPosition = FEngine->GetPositionString();
        FSideToMove = FEngine->SideToMove();
        FMyLevel = FEngine->LevelManager().MyLevel();
        FOpponentLevel = FEngine->LevelManager().OpponentLevel();
    }
    TEngineSession() : TEngineSession([](TVexdraEngine&) {}) {}
    ~TEngineSession() {
        // A restart would replace the process that runs the tests.
        FApplication->SetRestartAfterClose(false);
        FApplication->SetInternalEngine(nullptr);
        FEngine.reset();
        FApplication.reset();
    }
    TEngineSession(const TEngineSession&) = delete;
    TEngineSession& operator=(const TEngineSession&) = delete;

    bool            Initialized() const { return FApplication->Initialized(); }
    TConsoleEngine& Application() { return *FApplication; }
    TVexdraEngine&  Engine() { return *FEngine; }

    void Reset() {
        FApplication->EndSession();
        FApplication->SetRestartAfterClose(false);
        TVexdraEngine& engine = *FEngine;
        engine.SetTerminated(false);
        // A protocol adds options of its own; its selection command makes them anew next time.
        TArguments& options = engine.Options();
        bool        sameList = options.Count() == static_cast<int>(FOptions.size());
        for (int i = 0; sameList && i < options.Count(); ++i)
            sameList = &options.Get(i) == FOptions[static_cast<std::size_t>(i)];
        if (!sameList) {
            options.DeleteAll();
            for (TCustomArgument* option : FOptions)
                options.Add(*option);
        }
        for (std::size_t i = 0; i < FOptions.size(); ++i) {
            // A protocol may write the names its own way (USI leaves out the spaces).
            FOptions[i]->SetShortcut(FOptionNames[i]);
            if (FOptions[i]->GetValueAsString() != FOptionValues[i])
                FOptions[i]->SetValueFromString(FOptionValues[i]);
        }
        engine.SetGameVariant(FVariant);
        engine.SetCastlingNotation(FCastlingNotation);
        engine.SetDoMoveAfterStop(FDoMoveAfterStop);
        engine.SetOpponent(FOpponent);
        TLevelManager& levels = engine.LevelManager();
        levels.ResetLevels();
        // The protocol owned the levels it set; they are gone with it.
        levels.SetMyLevel(FMyLevel);
        levels.SetOpponentLevel(FOpponentLevel);
        levels.SetInfiniteAnalysis(false);
        // A new game builds the generator's tables again, most of a short input's time: it is
        // left out when the game is the start position, unplayed, with no root-move filter.
        if (engine.PlayedMoveCount() != 0 || !engine.RootMoves().AcceptAll() ||
            engine.SideToMove() != FSideToMove || engine.GetPositionString() != FPosition)
            engine.NewGame();
    }

    // The state a new session starts from, as text.
    std::string Fingerprint() {
        TVexdraEngine& engine = *FEngine;
        std::string    text;
        const auto     add = [&](const std::string& AName, const std::string& AValue) {
            text += AName + "=" + AValue + "\n";
        };
        add("terminated", FApplication->Terminated() ? "yes" : "no");
        add("protocol", FApplication->Protocol() != nullptr ? "yes" : "no");
        TCommands& commands = FApplication->Commands();
        for (int i = 0; i < commands.Count(); ++i)
            add("command " + commands.Get(i).Shortcut(), commands.Get(i).Enabled() ? "on" : "off");
        const TEngineOutput* output = engine.Output();
        add("output", output != nullptr ? typeid(*output).name() : "none");
        TArguments& options = engine.Options();
        for (int i = 0; i < options.Count(); ++i)
            add("option " + options.Get(i).Shortcut(), options.Get(i).GetValueAsString());
        add("variant", engine.GameVariant() != nullptr ? engine.GameVariant()->Name() : "none");
        add("position", engine.GetPositionString());
        add("side to move", std::to_string(engine.SideToMove()));
        add("castling notation", std::to_string(engine.CastlingNotation()));
        add("play mode", engine.DoMoveAfterStop() ? "yes" : "no");
        add("opponent", engine.Opponent().Title + "/" + std::to_string(engine.Opponent().Elo) +
                            "/" + std::to_string(engine.Opponent().OpponentType) + "/" +
                            engine.Opponent().Name);
        add("all root moves", engine.RootMoves().AcceptAll() ? "yes" : "no");
        add("engine terminated", engine.Terminated() ? "yes" : "no");
        add("perft running", engine.PerftRunning() ? "yes" : "no");
        add("show current line", engine.ShowCurrLine() ? "yes" : "no");
        TLevelManager& levels = engine.LevelManager();
        add("infinite", levels.InfiniteAnalysis() ? "yes" : "no");
        add("my level", levels.MyLevel() != nullptr ? levels.MyLevel()->GetAsString() : "none");
        add("opponent level",
            levels.OpponentLevel() != nullptr ? levels.OpponentLevel()->GetAsString() : "none");
        add("my time", std::to_string(levels.MyRemainTime().ToMilliseconds()));
        add("opponent time", std::to_string(levels.OpponentRemainTime().ToMilliseconds()));
        // A game with played moves would take one back.
        std::string undo = "done";
        try {
            engine.Undo();
        } catch (const Exception& e) {
            undo = e.what();
        }
        add("undo", undo);
        return text;
    }

private:
    std::unique_ptr<TConsoleEngine> FApplication;
    std::unique_ptr<TVexdraEngine>  FEngine;
    std::vector<TCustomArgument*>   FOptions;
    std::vector<std::string>        FOptionValues;
    std::vector<std::string>        FOptionNames;
    TGameVariant*                   FVariant = nullptr;
    TCastlingNotation               FCastlingNotation = cnVariant;
    bool                            FDoMoveAfterStop = false;
    TOpponent                       FOpponent;
    std::string                     FPosition;
    std::int32_t                    FSideToMove = 0;
    TCustomLevel*                   FMyLevel = nullptr;
    TCustomLevel*                   FOpponentLevel = nullptr;
};
