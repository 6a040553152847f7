#include "protocols/usi/uUSICommand.h"

#include "engine/uEngineCommand.h"
#include "engine/uInternalEngine.h"
#include "games/uGameVariants.h"
#include "protocols/usi/uUSIEngineOutput.h"
#include "protocols/usi/uUSIProtocol.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"

#include <string>

TUSICommand::TUSICommand() : TProtocolCommand("TUSICommand") {
    SetDescription("Use the USI (universal shogi interface).");
}

TUSICommand::~TUSICommand() = default;

void TUSICommand::ExecuteNoParam() {
    TInternalEngine& engine = Engine();
    AddVariantOption();
    engine.SetOutput(std::make_unique<TUSIEngineOutput>(Host().OutputConsole()));
    Host().SetProtocol(std::make_unique<TUSIProtocol>());
    // After the announcement, so that the variant line follows "usiok"; the family's standard
    // game comes first.
    if (!FVariants.empty())
        engine.SetGameVariant(FVariants.front());
}

void TUSICommand::AddVariantOption() {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < GameVariants().Count(); ++i) {
        TGameVariant& variant = GameVariants().Items(i);
        if (variant.Family() != gfShogi)
            continue;
        FVariants.push_back(&variant);
        captions.push_back(variant.Name());
    }
    if (FVariants.empty())
        return;
    FUCI_Variant = std::make_unique<TComboArgument>("UCI_Variant", "", captions, 0);
    FUCI_Variant->SetValue(0);
    FUCI_Variant->SetOnChange([this](TCustomArgument&) { VariantChanged(); });
    Engine().Options().Add(*FUCI_Variant);
}

void TUSICommand::VariantChanged() {
    TInternalEngine& engine = Engine();
    const int        index = FUCI_Variant->Value();
    if (index >= 0 && static_cast<std::size_t>(index) < FVariants.size())
        engine.SetGameVariant(FVariants[static_cast<std::size_t>(index)]);
}
