#include "protocols/xboard/uXBoardGoCommand.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "support/uExceptions.h"

// ---- TForceCommand ----

TForceCommand::TForceCommand() : TXBoardProtocolCommand("TForceCommand") {
    SetDescription("Set the engine to play neither color (\"force mode\"). Stop clocks. The "
                   "engine should check that moves received in force mode are legal and made in "
                   "the proper turn, but should not think, ponder, or make moves of its own.");
}

void TForceCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    Protocol().SetAutoPlay(false);
}

// ---- TAnalyzeCommand ----

TAnalyzeCommand::TAnalyzeCommand() : TXBoardProtocolCommand("TAnalyzeCommand") {
    SetDescription("Enter analyze mode.");
}

void TAnalyzeCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.SetAutoPlay(false);
    protocol.SetAnalyzeMode(true);
    engine.SetDoMoveAfterStop(false);
    engine.LevelManager().SetInfiniteAnalysis(true);
    engine.Start();
}

// ---- TXBoardGoCommand ----

TXBoardGoCommand::TXBoardGoCommand() : TXBoardProtocolCommand("TXBoardGoCommand") {
    SetShortcut("Go");
    SetDescription("Leave force mode and set the engine to play the color that is on move. "
                   "Associate the engine's clock with the color that is on move, the opponent's "
                   "clock with the color that is not on move. Start the engine's clock. Start "
                   "thinking and eventually make a move.");
}

void TXBoardGoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.SetAutoPlay(true);
    protocol.EnsureLevel();
    engine.SetDoMoveAfterStop(true);
    engine.Start();
    protocol.ClaimGameEnd();
}

// ---- TXBoardExitCommand ----

TXBoardExitCommand::TXBoardExitCommand() : TXBoardProtocolCommand("TXBoardExitCommand") {
    SetShortcut("Exit");
    SetDescription("Leave analyze mode.");
}

void TXBoardExitCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TInternalEngine& engine = Engine();
    Protocol().SetAnalyzeMode(false);
    engine.Stop();
    engine.LevelManager().SetInfiniteAnalysis(false);
}

// ---- TPlayOtherCommand ----

TPlayOtherCommand::TPlayOtherCommand() : TXBoardProtocolCommand("TPlayOtherCommand") {
    SetDescription("Leave force mode and set the engine to play the color that is not on move. "
                   "Associate the opponent's clock with the color that is on move, the engine's "
                   "clock with the color that is not on move. Start the opponent's clock. If "
                   "pondering is enabled, the engine should begin pondering. If the engine later "
                   "receives a move, it should start thinking and eventually reply.");
}

void TPlayOtherCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    Protocol().SetAutoPlay(true);
}

// ---- TQuestionMarkCommand ----

TQuestionMarkCommand::TQuestionMarkCommand() : TStopCommand("TQuestionMarkCommand") {
    SetShortcut("?");
}

// ---- TPauseCommand, TResumeCommand ----

TPauseCommand::TPauseCommand() : TSimpleEngineCommand("TPauseCommand") {
    SetDescription(
        "Puts the engine into a special state where it does not think, ponder, or otherwise "
        "consume significant CPU time. The current thinking or pondering (if any) is suspended "
        "and both player's clocks are stopped. The only command that the interface may send to "
        "the engine while it is in the paused state is \"resume\". The paused thinking or "
        "pondering (if any) resumes from exactly where it left off, and the clock of the player "
        "on move resumes running from where it stopped.");
}

void TPauseCommand::ExecuteNoParam() {
    RequireEngine(FInternalEngine).Pause();
}

TResumeCommand::TResumeCommand() : TSimpleEngineCommand("TResumeCommand") {
    SetDescription("Wake up engine from pause mode.");
}

void TResumeCommand::ExecuteNoParam() {
    RequireEngine(FInternalEngine).Resume();
}

// ---- TDotCommand ----

TDotCommand::TDotCommand() : TSimpleEngineCommand("TDotCommand") {
    SetShortcut(".");
    SetDescription("Get a search status update.");
}

void TDotCommand::ExecuteNoParam() {
    TInternalEngine& engine = RequireEngine(FInternalEngine);
    TEngineOutput*   output = engine.Output();
    if (output == nullptr)
        throw Exception("No engine.");
    output->DrawNodes();
    if (engine.ShowCurrLine())
        output->DrawCurrLine(engine.GetCurrentLine());
}
