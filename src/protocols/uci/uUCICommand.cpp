#include "protocols/uci/uUCICommand.h"

#include "engine/uCommonProtocol.h"
#include "engine/uEngineCommand.h"
#include "engine/uInternalEngine.h"
#include "engine/uOpponent.h"
#include "games/uGameVariants.h"
#include "protocols/uUCIEngineOutput.h"
#include "protocols/uUCIProtocol.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <string>
#include <vector>

TUCICommand::TUCICommand() : TProtocolCommand("TUCICommand") {
    SetDescription("Use the UCI (universal chess interface).");
}

TUCICommand::~TUCICommand() = default;

void TUCICommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    AddUCIOptions();
    engine.SetOutput(std::make_unique<TUCIEngineOutput>(Host().OutputConsole()));
    Host().SetProtocol(std::make_unique<TUCIProtocol>());
    UpdateCastlingNotation();
}

void TUCICommand::AddUCIOptions() {
    const TGameVariants& variants = GameVariants();
    if (variants.Count() == 0)
        return;
    TInternalEngine&         engine = Engine();
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        captions.push_back(variants.Items(i).Name());
        if (variants.Items(i).Description().Chess960 && FFindChess960 < 0)
            FFindChess960 = static_cast<std::int32_t>(i);
    }
    // Tournament managers look the variant up in this list letter for letter, under the
    // lower-case names other engines use and under the names the variants also go by: those
    // go after ours.
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const std::string lower = LowerCase(variants.Items(i).Name());
        if (lower != variants.Items(i).Name())
            captions.push_back(lower);
    }
    for (std::size_t i = 0; i < variants.Count(); ++i)
        for (std::string_view alias : variants.Items(i).Description().Aliases)
            captions.emplace_back(alias);
    // The first registered variant is the default.
    FUCI_Variant = std::make_unique<TComboArgument>("UCI_Variant", "", captions, 0);
    FUCI_Variant->SetValue(0);
    FUCI_Variant->SetOnChange([this](TCustomArgument&) { VariantChanged(); });
    engine.Options().Add(*FUCI_Variant);
    if (FFindChess960 >= 0) {
        FUCI_Chess960 = std::make_unique<TSwitchArgument>("UCI_Chess960", "", rcOptional, false);
        FUCI_Chess960->SetValue(false);
        FUCI_Chess960->SetOnChange([this](TCustomArgument&) { Chess960Changed(); });
        engine.Options().Add(*FUCI_Chess960);
    }
    FUCI_AnalyseMode = std::make_unique<TSwitchArgument>("UCI_AnalyseMode", "", rcOptional, false);
    FUCI_AnalyseMode->SetValue(false);
    FUCI_AnalyseMode->SetOnChange([this](TCustomArgument&) { AnalyseModeChanged(); });
    engine.Options().Add(*FUCI_AnalyseMode);
    FUCI_Opponent = std::make_unique<TStringArgument>("UCI_Opponent", "", rcOptional, "");
    FUCI_Opponent->SetOnChange([this](TCustomArgument&) { OpponentChanged(); });
    engine.Options().Add(*FUCI_Opponent);
}

void TUCICommand::VariantChanged() {
    TInternalEngine& engine = Engine();
    const int        index = FUCI_Variant->Value();
    if (index < 0 || static_cast<std::size_t>(index) >= FUCI_Variant->Captions().size())
        return;
    TGameVariant* found =
        GameVariants().FindByNameOrAlias(FUCI_Variant->Captions()[static_cast<std::size_t>(index)]);
    if (found == nullptr)
        return;
    TGameVariant& variant = *found;
    if (FUCI_Chess960) {
        FChangingVariant = true;
        struct TReset {
            bool& Flag;
            ~TReset() { Flag = false; }
        } reset{FChangingVariant};
        FUCI_Chess960->SetValue(variant.Description().Chess960);
    }
    engine.SetGameVariant(&variant);
    UpdateCastlingNotation();
}

void TUCICommand::Chess960Changed() {
    if (FChangingVariant)
        return;
    FUCI_Variant->SetValue(FUCI_Chess960->Value() ? FFindChess960 : 0);
}

void TUCICommand::AnalyseModeChanged() {
    if (TCommonProtocol* protocol =
            ProtocolHost() != nullptr ? ProtocolHost()->Protocol() : nullptr)
        protocol->SetAnalyzeMode(FUCI_AnalyseMode->Value());
}

void TUCICommand::OpponentChanged() {
    if (FRestoringOpponent)
        return;
    TInternalEngine&  engine = Engine();
    const std::string text = FUCI_Opponent->Value();
    try {
        TOpponent opponent = engine.Opponent();
        opponent.ReadFromString(text);
        engine.SetOpponent(opponent);
        FOpponentText = text;
    } catch (...) {
        // A text the engine cannot read is not taken: the option shows what the engine uses.
        FRestoringOpponent = true;
        struct TReset {
            bool& Flag;
            ~TReset() { Flag = false; }
        } reset{FRestoringOpponent};
        FUCI_Opponent->SetValue(FOpponentText);
        throw;
    }
}

void TUCICommand::UpdateCastlingNotation() {
    TInternalEngine&    engine = Engine();
    const TGameVariant* variant = engine.GameVariant();
    const bool          fischerRandom =
        (variant != nullptr && variant->Description().FischerRandomCastling) ||
        (FUCI_Chess960 && FUCI_Chess960->Value());
    engine.SetCastlingNotation(fischerRandom ? cnKingTakesRook : cnKingTwoFiles);
}
