#include "protocols/xboard/uXBoardProtocol.h"

#include "engine/uAnalysisInfo.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uTimeControlLevel.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "protocols/xboard/uAcceptedCommand.h"
#include "protocols/xboard/uAnalyzeCommand.h"
#include "protocols/xboard/uBkCommand.h"
#include "protocols/xboard/uComputerCommand.h"
#include "protocols/xboard/uCoresCommand.h"
#include "protocols/xboard/uDotCommand.h"
#include "protocols/xboard/uDrawCommand.h"
#include "protocols/xboard/uEGTPathCommand.h"
#include "protocols/xboard/uEasyCommand.h"
#include "protocols/xboard/uEditCommand.h"
#include "protocols/xboard/uExcludeAllCommand.h"
#include "protocols/xboard/uExcludeCommand.h"
#include "protocols/xboard/uForceCommand.h"
#include "protocols/xboard/uHardCommand.h"
#include "protocols/xboard/uHintCommand.h"
#include "protocols/xboard/uICSCommand.h"
#include "protocols/xboard/uIncludeAllCommand.h"
#include "protocols/xboard/uIncludeCommand.h"
#include "protocols/xboard/uLevelCommand.h"
#include "protocols/xboard/uMemoryCommand.h"
#include "protocols/xboard/uNameCommand.h"
#include "protocols/xboard/uNewCommand.h"
#include "protocols/xboard/uNoPostCommand.h"
#include "protocols/xboard/uNpsCommand.h"
#include "protocols/xboard/uOTimCommand.h"
#include "protocols/xboard/uOptionCommand.h"
#include "protocols/xboard/uPauseCommand.h"
#include "protocols/xboard/uPingCommand.h"
#include "protocols/xboard/uPlayOtherCommand.h"
#include "protocols/xboard/uPostCommand.h"
#include "protocols/xboard/uProtoVerCommand.h"
#include "protocols/xboard/uQuestionMarkCommand.h"
#include "protocols/xboard/uRandomCommand.h"
#include "protocols/xboard/uRatingCommand.h"
#include "protocols/xboard/uRejectedCommand.h"
#include "protocols/xboard/uRemoveCommand.h"
#include "protocols/xboard/uResultCommand.h"
#include "protocols/xboard/uResumeCommand.h"
#include "protocols/xboard/uSdCommand.h"
#include "protocols/xboard/uSetBoardCommand.h"
#include "protocols/xboard/uSetScoreCommand.h"
#include "protocols/xboard/uStCommand.h"
#include "protocols/xboard/uTimeCommand.h"
#include "protocols/xboard/uUndoCommand.h"
#include "protocols/xboard/uUserMoveCommand.h"
#include "protocols/xboard/uVariantCommand.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardExitCommand.h"
#include "protocols/xboard/uXBoardGoCommand.h"
#include "protocols/xboard/uXBoardVariants.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uProjectInfo.h"
#include "support/uTextHelpers.h"

#include <memory>
#include <optional>
#include <type_traits>

// ---- helpers ----

TXBoardEngineOutput* XBoardOutputOf(const TInternalEngine& AEngine) {
    return dynamic_cast<TXBoardEngineOutput*>(AEngine.Output());
}

TXBoardEngineOutput& RequireXBoardOutput(TInternalEngine* AEngine) {
    TXBoardEngineOutput* output = XBoardOutputOf(RequireEngine(AEngine));
    if (output == nullptr)
        throw Exception("No XBoard output.");
    return *output;
}

// ---- TXBoardFeatures ----

void TXBoardFeatures::Add(std::string_view AName, bool AValue) {
    FPairs.emplace_back(AName, AValue ? "1" : "0");
}

void TXBoardFeatures::Add(std::string_view AName, std::string_view AValue) {
    FPairs.emplace_back(AName, "\"" + std::string(AValue) + "\"");
}

// ---- TXBoardProtocolCommand ----

TXBoardProtocol& TXBoardProtocolCommand::Protocol() const {
    if (FXBoardProtocol == nullptr)
        throw Exception("No protocol.");
    return *FXBoardProtocol;
}

void TXBoardProtocolCommand::RequireNoParameters(std::string_view AParameters) {
    if (!AParameters.empty())
        throw EArgumentException("No parameters required.");
}

void TXBoardProtocolCommand::ChangeRootMoves(
    const std::function<void(TRootMoves&)>& AChange) const {
    TRootMoves&      rootMoves = Engine().RootMoves();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    AChange(rootMoves);
    protocol.AfterPositionChange();
}

// ---- TXBoardProtocol ----

TXBoardProtocol::TXBoardProtocol() = default;
TXBoardProtocol::~TXBoardProtocol() = default;

template <class T> T* TXBoardProtocol::Register(std::unique_ptr<T> ACommand) {
    if constexpr (std::is_base_of_v<TXBoardProtocolCommand, T>)
        ACommand->SetXBoardProtocol(this);
    return &Add(std::move(ACommand));
}

void TXBoardProtocol::Initialize() {
    TCommonProtocol::Initialize();
    FProtoVerCommand = Register(std::make_unique<TProtoVerCommand>());
    Register(std::make_unique<TNewCommand>());
    Register(std::make_unique<TAcceptedCommand>());
    Register(std::make_unique<TRejectedCommand>());
    Register(std::make_unique<TVariantCommand>());
    Register(std::make_unique<TRandomCommand>());
    Register(std::make_unique<TForceCommand>());
    FAnalyzeCommand = Register(std::make_unique<TAnalyzeCommand>());
    FGoCommand = Register(std::make_unique<TXBoardGoCommand>());
    FExitCommand = Register(std::make_unique<TXBoardExitCommand>());
    FPlayOtherCommand = Register(std::make_unique<TPlayOtherCommand>());
    Register(std::make_unique<TLevelCommand>());
    Register(std::make_unique<TStCommand>());
    Register(std::make_unique<TSdCommand>());
    FNpsCommand = Register(std::make_unique<TNpsCommand>());
    FTimeCommand = Register(std::make_unique<TTimeCommand>());
    FOTimCommand = Register(std::make_unique<TOTimCommand>());
    FUserMoveCommand = Register(std::make_unique<TUserMoveCommand>());
    Register(std::make_unique<TQuestionMarkCommand>());
    FPingCommand = Register(std::make_unique<TPingCommand>());
    FDrawCommand = Register(std::make_unique<TDrawCommand>());
    Register(std::make_unique<TResultCommand>());
    FSetBoardCommand = Register(std::make_unique<TSetBoardCommand>());
    Register(std::make_unique<THintCommand>());
    Register(std::make_unique<TBkCommand>());
    Register(std::make_unique<TUndoCommand>());
    Register(std::make_unique<TRemoveCommand>());
    Register(std::make_unique<THardCommand>());
    Register(std::make_unique<TEasyCommand>());
    Register(std::make_unique<TPostCommand>());
    Register(std::make_unique<TNoPostCommand>());
    FNameCommand = Register(std::make_unique<TNameCommand>());
    Register(std::make_unique<TRatingCommand>());
    FICSCommand = Register(std::make_unique<TICSCommand>());
    Register(std::make_unique<TComputerCommand>());
    FPauseCommand = Register(std::make_unique<TPauseCommand>());
    FResumeCommand = Register(std::make_unique<TResumeCommand>());
    Register(std::make_unique<TOptionCommand>());
    FExcludeCommand = Register(std::make_unique<TExcludeCommand>());
    FIncludeCommand = Register(std::make_unique<TIncludeCommand>());
    FExcludeAllCommand = Register(std::make_unique<TExcludeAllCommand>());
    FIncludeAllCommand = Register(std::make_unique<TIncludeAllCommand>());
    Register(std::make_unique<TDotCommand>());
    FMemoryCommand = Register(std::make_unique<TMemoryCommand>());
    FCoresCommand = Register(std::make_unique<TCoresCommand>());
    Register(std::make_unique<TEditCommand>());
    FSetScoreCommand = Register(std::make_unique<TSetScoreCommand>());
    Register(std::make_unique<TEGTPathCommand>());
    SetAnalyzeMode(AnalyzeMode());
}

void TXBoardProtocol::SetAnalyzeMode(bool AValue) {
    TCommonProtocol::SetAnalyzeMode(AValue);
    if (FAnalyzeCommand != nullptr)
        FAnalyzeCommand->SetEnabled(!AValue);
    if (FGoCommand != nullptr)
        FGoCommand->SetEnabled(!AValue);
    if (FExitCommand != nullptr)
        FExitCommand->SetEnabled(AValue);
}

TXBoardEngineOutput* TXBoardProtocol::XBoardOutput() const {
    return FInternalEngine != nullptr ? XBoardOutputOf(*FInternalEngine) : nullptr;
}

bool TXBoardProtocol::IsSupported(const TCustomCommand* ACommand) {
    return ACommand != nullptr && dynamic_cast<const TUnsupportedCommand*>(ACommand) == nullptr;
}

TXBoardFeatures TXBoardProtocol::Features() const {
    TXBoardFeatures features;
    features.Add("done", false);
    features.Add("myname", EngineName());
    features.Add("debug", true);
    features.Add("sigint", false);
    features.Add("sigterm", false);
    features.Add("san", false);
    features.Add("reuse", true);
    features.Add("highlight", false);
    features.Add("setboard", IsSupported(FSetBoardCommand));
    features.Add("ping", IsSupported(FPingCommand));
    features.Add("memory", IsSupported(FMemoryCommand));
    features.Add("smp", IsSupported(FCoresCommand));
    features.Add("usermove", IsSupported(FUserMoveCommand));
    features.Add("draw", IsSupported(FDrawCommand));
    features.Add("pause", IsSupported(FPauseCommand) && IsSupported(FResumeCommand));
    features.Add("nps", IsSupported(FNpsCommand));
    features.Add("analyze", IsSupported(FAnalyzeCommand) && IsSupported(FExitCommand));
    features.Add("exclude", IsSupported(FExcludeAllCommand) && IsSupported(FExcludeCommand) &&
                                IsSupported(FIncludeAllCommand) && IsSupported(FIncludeCommand));
    features.Add("setscore", IsSupported(FSetScoreCommand));
    features.Add("playother", IsSupported(FPlayOtherCommand));
    features.Add("ics", IsSupported(FICSCommand));
    features.Add("name", IsSupported(FNameCommand));
    features.Add("colors", false);
    features.Add("time", IsSupported(FTimeCommand) && IsSupported(FOTimCommand));
    features.Add("variants", VariantsFeature());
    if (FInternalEngine != nullptr)
        for (TCustomArgument* option : FInternalEngine->Options().Items())
            features.Add("option", OptionFeature(*option));
    features.Add("done", true);
    return features;
}

void TXBoardProtocol::WriteFeatures() {
    TEngineOutput& output = RequireEngineOutput(FInternalEngine);
    // Built before the block starts, so that a failing option leaves no half list.
    const TXBoardFeatures features = Features();
    TWriteBlock           block(output);
    for (const auto& [name, value] : features.Pairs()) {
        output.Write("feature " + name + "=", ccKeyword);
        output.WriteLine(value, value == "0" ? ccFalseValue : value == "1" ? ccTrueValue : ccValue);
    }
}

std::string TXBoardProtocol::OptionFeature(TCustomArgument& AArgument) {
    std::string text = AArgument.Shortcut() + " -";
    if (auto* check = dynamic_cast<TSwitchArgument*>(&AArgument)) {
        text += std::string("check ") + (check->DefaultValue() ? "1" : "0");
    } else if (auto* spin = dynamic_cast<TNumericalIntervalArgument*>(&AArgument)) {
        text += "spin " + std::to_string(spin->DefaultValue()) + " " +
                std::to_string(spin->NumericalInterval().MinimalValue()) + " " +
                std::to_string(spin->NumericalInterval().MaximalValue());
    } else if (auto* file = dynamic_cast<TFileNameArgument*>(&AArgument)) {
        text += "file " + file->DefaultValue();
    } else if (auto* string = dynamic_cast<TStringArgument*>(&AArgument)) {
        text += "string " + string->DefaultValue();
    } else if (dynamic_cast<TButtonArgument*>(&AArgument) != nullptr) {
        text += "button";
    } else if (auto* combo = dynamic_cast<TComboArgument*>(&AArgument)) {
        // The choices between " /// ", the default one marked with "*".
        text += "combo";
        const auto& captions = combo->Captions();
        for (std::size_t i = 0; i < captions.size(); ++i) {
            text += i == 0 ? " " : " /// ";
            if (static_cast<int>(i) == combo->DefaultValue())
                text += "*";
            text += captions[i];
        }
    } else {
        throw ENotImplemented("Argument.");
    }
    return text;
}

std::string TXBoardProtocol::VariantsFeature() {
    return XBoardVariantsList();
}

std::string TXBoardProtocol::VariantName(std::string_view AName) {
    return XBoardVariantRegistryName(AName);
}

bool TXBoardProtocol::IsEngineDefinedVariant(std::string_view AName) {
    const TGameVariant* variant = GameVariants().FindByName(AName);
    return variant != nullptr && !variant->Description().XBoard.Parent.empty();
}

void TXBoardProtocol::WriteSetup() {
    TInternalEngine&     engine = RequireEngine(FInternalEngine);
    TXBoardEngineOutput* output = XBoardOutput();
    const TGameVariant*  variant = engine.GameVariant();
    if (output == nullptr || variant == nullptr)
        return;
    const TXBoardDescription& item = variant->Description().XBoard;
    if (item.Parent.empty())
        return;
    const std::string position = engine.GetPositionString();
    for (const std::string& line : XBoardSetupLines(item, position)) {
        const std::size_t blank = line.find(' ');
        output->WriteKeywordLine(line.substr(0, blank + 1), line.substr(blank + 1));
    }
    if (variant->Description().RandomSetup) {
        FAnnouncedVariant = variant->Name();
        FAnnouncedPosition = position;
    }
}

void TXBoardProtocol::KeepAnnouncedSetupIfUnplayed() {
    // xboard starts a game with "new" and "variant" more than once and takes the first setup it
    // got: the position stays the one announced until a game has been played from it.
    if (FInternalEngine == nullptr || FAnnouncedPosition.empty())
        return;
    const TGameVariant* variant = FInternalEngine->GameVariant();
    if (variant == nullptr || variant->Name() != FAnnouncedVariant ||
        FInternalEngine->GetPositionString() != FAnnouncedPosition) {
        FAnnouncedVariant.clear();
        FAnnouncedPosition.clear();
    }
}

void TXBoardProtocol::RestoreAnnouncedSetup() {
    const TGameVariant* variant =
        FInternalEngine != nullptr ? FInternalEngine->GameVariant() : nullptr;
    if (variant == nullptr || FAnnouncedPosition.empty() || variant->Name() != FAnnouncedVariant)
        return;
    FInternalEngine->SetPositionFromString(FAnnouncedPosition);
}

void TXBoardProtocol::ClaimGameEnd() {
    if (FInternalEngine == nullptr)
        return;
    TInternalEngine&     engine = *FInternalEngine;
    TXBoardEngineOutput* output = XBoardOutput();
    // Only a move the engine has just played: a search still running has played nothing yet.
    if (output == nullptr || !engine.DoMoveAfterStop() ||
        engine.AnalysisInfo().ElapsedTime().IsRunning() || engine.AnalysisInfo().BestMove().empty())
        return;
    // A mate score has had its claim with the move.
    const std::optional<TAnalysis> last = engine.AnalysisInfo().LastAnalysis();
    if (last && last->Status.Score == ScoreMate)
        return;
    output->ClaimResult(engine.GetGameTermination());
}

void TXBoardProtocol::SetGameVariant(TGameVariant* AVariant) {
    RequireEngine(FInternalEngine).SetGameVariant(AVariant);
    UpdateCastlingNotation();
}

void TXBoardProtocol::UpdateCastlingNotation() {
    TInternalEngine&    engine = RequireEngine(FInternalEngine);
    const TGameVariant* variant = engine.GameVariant();
    const bool castleStrings = variant != nullptr && variant->Description().FischerRandomCastling;
    engine.SetCastlingNotation(castleStrings ? cnCastleStrings : cnKingTwoFiles);
}

void TXBoardProtocol::EnsureLevel() {
    TInternalEngine& engine = RequireEngine(FInternalEngine);
    if (engine.LevelManager().MyLevel() != nullptr)
        return;
    if (!FUntimedLevel)
        FUntimedLevel = std::make_unique<TInfiniteLevel>();
    FUntimedLevel->SetAnalysisInfo(&engine.AnalysisInfo());
    engine.LevelManager().SetMyLevel(FUntimedLevel.get());
}

void TXBoardProtocol::BeforePositionChange() {
    // Only a running analysis is stopped: a stop without a search would only report its cause.
    if (!AnalyzeMode() || FInternalEngine == nullptr ||
        !FInternalEngine->AnalysisInfo().ElapsedTime().IsRunning())
        return;
    FInternalEngine->Stop();
    FInternalEngine->WaitForCalculationDone(0);
}

void TXBoardProtocol::AfterPositionChange() {
    if (AnalyzeMode() && FInternalEngine != nullptr)
        FInternalEngine->Start();
}
