#include "protocols/xboard/uNewCommand.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uRootMoves.h"
#include "engine/uStopManager.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardMoveNotation.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "protocols/xboard/uXBoardVariants.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The depth limit of a search without "sd".
constexpr std::int32_t NoDepthLimit = 99;

} // namespace

// ---- TNewCommand ----

TNewCommand::TNewCommand() : TXBoardProtocolCommand("TNewCommand") {
    SetDescription("Reset the board to the standard chess starting position. Leave force mode.");
}

void TNewCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    protocol.KeepAnnouncedSetupIfUnplayed();
    engine.LevelManager().ResetLevels();
    engine.StopManager().SetLimitMaxDepth(NoDepthLimit);
    if (TGameVariant* chess = GameVariants().FindByName("chess"))
        protocol.SetGameVariant(chess);
    engine.NewGame();
    protocol.SetAutoPlay(true);
    protocol.AfterPositionChange();
}

// ---- TVariantCommand ----

TVariantCommand::TVariantCommand() : TXBoardProtocolCommand("TVariantCommand") {
    SetDescription("Set specified game variant.");
}

void TVariantCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TXBoardProtocol& protocol = Protocol();
    Engine();
    TXBoardParameterReader reader(AParameters);
    const std::string      word = reader.ReadWord();
    TGameVariant*          variant = GameVariants().FindByName(TXBoardProtocol::VariantName(word));
    if (variant == nullptr)
        throw EParseError({"VariantName"}, word);
    protocol.BeforePositionChange();
    protocol.SetGameVariant(variant);
    protocol.RestoreAnnouncedSetup();
    protocol.WriteSetup();
    protocol.AfterPositionChange();
}

// ---- TSetBoardCommand ----

namespace {

bool IsNumber(std::string_view AText) {
    return !AText.empty() &&
           std::all_of(AText.begin(), AText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An en passant square: a column letter and a row number.
bool IsSquare(std::string_view AText) {
    return AText.size() >= 2 && AText[0] >= 'a' && AText[0] <= 'z' && IsNumber(AText.substr(1));
}

} // namespace

std::string CompleteXBoardFen(std::string_view AFen) {
    std::vector<std::string> fields = SplitWords(AFen);
    if (fields.size() != 5 || !IsNumber(fields[3]) || !IsNumber(fields[4]))
        return std::string(AFen);
    fields.insert(fields.begin() + (IsSquare(fields[2]) ? 2 : 3), "-");
    std::string text;
    for (const std::string& field : fields)
        text += (text.empty() ? "" : " ") + field;
    return text;
}

TSetBoardCommand::TSetBoardCommand() : TXBoardProtocolCommand("TSetBoardCommand") {
    SetDescription("Set up position.");
}

void TSetBoardCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    const TGameVariant*   variant = engine.GameVariant();
    const TXBoardVariant* item = variant != nullptr ? FindXBoardVariant(variant->Name()) : nullptr;
    engine.SetPositionFromString(item != nullptr && (item->ShogiCoordinates || item->Mirrored)
                                     ? XBoardToEnginePosition(*item, AParameters)
                                     : CompleteXBoardFen(AParameters));
    protocol.AfterPositionChange();
}

// ---- TUserMoveCommand ----

TUserMoveCommand::TUserMoveCommand() : TXBoardProtocolCommand("TUserMoveCommand") {
    SetDescription("Do specified move or moves.");
}

void TUserMoveCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    // Without a move there is nothing the opponent did: the engine must not take the turn.
    if (TrimView(AParameters).empty())
        throw EParseError({"Move"}, "");
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    // Move by move, so that a refused move can be named as the front end wrote it.
    TXBoardParameterReader reader(AParameters);
    engine.RootMoves().Clear();
    for (std::string move = reader.ReadWord(); !move.empty(); move = reader.ReadWord()) {
        try {
            const std::optional<TXBoardBoardSize> board = XBoardTranslatedBoard(engine);
            engine.DoMoves(board ? XBoardToEngineMove(move, *board) : move);
        } catch (const EAbort&) {
            throw;
        } catch (const Exception&) {
            TXBoardEngineOutput* output = XBoardOutputOf(engine);
            if (output == nullptr)
                throw;
            output->IllegalMove(move);
            protocol.AfterPositionChange();
            return;
        }
    }
    protocol.AfterPositionChange();
    if (protocol.AutoPlay()) {
        protocol.EnsureLevel();
        engine.SetDoMoveAfterStop(true);
        engine.Start();
        protocol.ClaimGameEnd();
    }
}

// ---- TUndoCommand, TRemoveCommand ----

TUndoCommand::TUndoCommand() : TXBoardProtocolCommand("TUndoCommand") {
    SetDescription("Back up one move and only in analyze mode start analyzing.");
}

void TUndoCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    Engine().Undo();
    protocol.AfterPositionChange();
}

TRemoveCommand::TRemoveCommand() : TXBoardProtocolCommand("TRemoveCommand") {
    SetDescription("Retract a move. It sends this command only when the user is on move.");
}

void TRemoveCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireNoParameters(AParameters);
    TXBoardProtocol& protocol = Protocol();
    TInternalEngine& engine = Engine();
    protocol.BeforePositionChange();
    engine.Undo();
    engine.Undo();
    protocol.AfterPositionChange();
}

// ---- TResultCommand ----

TResultCommand::TResultCommand() : TEngineCommand("TResultCommand") {
    SetDescription(
        "When detects that the game has ended by rule. ResultCode is a PGN result code (1-0, "
        "0-1, or 1/2-1/2), and comment is the reason. Here \"by rule\" means that the game is "
        "definitely over because of what happened on the board. In normal chess, this includes "
        "checkmate, stalemate, triple repetition, the 50 move rule, or insufficient material; it "
        "does not include loss on time or the like.");
}

void TResultCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    RequireEngine(FInternalEngine).Stop();
}

// ---- TDrawCommand ----

TDrawCommand::TDrawCommand() : TSimpleEngineCommand("TDrawCommand") {
    SetDescription(
        "The engine's opponent offers the engine a draw. To accept the draw, send \"offer "
        "draw\". To decline, ignore the offer (that is, send nothing). If you're playing on ICS, "
        "it's possible for the draw offer to have been withdrawn by the time you accept it, so "
        "don't assume the game is over because you accept a draw offer. Continue playing until "
        "tells you the game is over.");
}

void TDrawCommand::ExecuteNoParam() {
    RequireEngine(FInternalEngine).OpponentRequireDraw();
}

// ---- THintCommand ----

THintCommand::THintCommand() : TSimpleEngineCommand("THintCommand") {
    SetDescription("Asks for a hint.");
}

void THintCommand::ExecuteNoParam() {
    TInternalEngine& engine = RequireEngine(FInternalEngine);
    TEngineOutput*   output = engine.Output();
    if (output == nullptr)
        throw Exception("No engine.");
    const std::optional<TAnalysis> line = engine.AnalysisInfo().GetActualAnalysis();
    std::string move = line && line->Moves.size() >= 2 ? line->Moves[1] : output->NullMoveStr();
    if (const std::optional<TXBoardBoardSize> board = XBoardTranslatedBoard(engine))
        move = EngineToXBoardMove(move, *board);
    TWriteBlock block(*output);
    output->Write("Hint: ", ccKeyword);
    output->WriteLine(move, ccValue);
}

// ---- TBkCommand ----

TBkCommand::TBkCommand() : TSimpleEngineCommand("TBkCommand") {
    SetDescription("Show book moves from this position, if any.");
}

void TBkCommand::ExecuteNoParam() {
    RequireEngine(FInternalEngine).BookMoves();
}
