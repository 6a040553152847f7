#include "protocols/uUCIProtocol.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "protocols/uGoCommand.h"
#include "protocols/uIsReadyCommand.h"
#include "protocols/uPonderHitCommand.h"
#include "protocols/uPositionCommand.h"
#include "protocols/uSetOptionCommand.h"
#include "protocols/uStopCommand.h"
#include "protocols/uUCIEngineOutput.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uProjectInfo.h"

#include <vector>

namespace {

const std::vector<std::string> ShowModeCaptions = {"Every second", "On change", "Disabled"};

std::unique_ptr<TComboArgument> CreateShowModeArgument(std::string_view AName) {
    auto argument = std::make_unique<TComboArgument>(AName, "", ShowModeCaptions, 0);
    argument->SetValue(0);
    return argument;
}

// The author line must not be empty; a build without an author entry names the company.
std::string AuthorText() {
    std::string author = ProjectInfo(piAuthor);
    return author.empty() ? ProjectInfo(piCompanyName) : author;
}

} // namespace

TUCIProtocol::TUCIProtocol()
    : FShowCurrentMoveArgument(CreateShowModeArgument("Show Current Move")),
      FShowSelectiveDepthArgument(CreateShowModeArgument("Show Selective Depth")) {
    FShowCurrentMoveArgument->SetOnChange([this](TCustomArgument&) { ShowCurrentMoveChanged(); });
    FShowSelectiveDepthArgument->SetOnChange(
        [this](TCustomArgument&) { ShowSelectiveDepthChanged(); });
}

TUCIProtocol::~TUCIProtocol() = default;

TUCIEngineOutput* TUCIProtocol::UCIOutput() const {
    return FInternalEngine != nullptr ? dynamic_cast<TUCIEngineOutput*>(FInternalEngine->Output())
                                      : nullptr;
}

void TUCIProtocol::Initialize() {
    TCommonProtocol::Initialize();
    TInternalEngine&  engine = RequireEngine(FInternalEngine);
    TUCIEngineOutput* output = UCIOutput();
    engine.Options().Add(*FShowCurrentMoveArgument);
    if (output != nullptr)
        output->SetShowCurrentMoveEverySecond(true);
    engine.Options().Add(*FShowSelectiveDepthArgument);
    if (output != nullptr)
        output->SetShowSelectiveDepthEverySecond(true);
    AddCommands();
    WriteIdentification();
}

void TUCIProtocol::AddCommands() {
    Add(std::make_unique<TIsReadyCommand>());
    Add(std::make_unique<TSetOptionCommand>());
    FNewGameCommand = &Add(std::make_unique<TNewGameCommand>());
    FNewGameCommand->SetShortcut("UciNewGame");
    Add(std::make_unique<TPositionCommand>());
    FGoCommand = &Add(std::make_unique<TGoCommand>());
    Add(std::make_unique<TStopCommand>());
    Add(std::make_unique<TPonderHitCommand>());
}

void TUCIProtocol::WriteIdentification() {
    TEngineOutput* output = FInternalEngine->Output();
    if (output == nullptr)
        return;
    TWriteBlock block(*output);
    output->Write("id name ", ccKeyword);
    output->WriteLine(EngineName(), ccValue);
    output->Write("id author ", ccKeyword);
    output->WriteLine(AuthorText(), ccValue);
    for (TCustomArgument* option : FInternalEngine->Options().Items())
        WriteOption(*output, *option);
    output->WriteLine(FInitializationReply, ccKeyword);
}

std::string TUCIProtocol::ArgumentTypeName(const TCustomArgument* AArgument) {
    if (AArgument == nullptr)
        throw ENotImplemented("Argument.");
    if (dynamic_cast<const TSwitchArgument*>(AArgument) != nullptr)
        return "check";
    if (dynamic_cast<const TNumericalIntervalArgument*>(AArgument) != nullptr)
        return "spin";
    if (dynamic_cast<const TStringArgument*>(AArgument) != nullptr)
        return "string";
    if (dynamic_cast<const TComboArgument*>(AArgument) != nullptr)
        return "combo";
    return "button";
}

void TUCIProtocol::WriteOption(TEngineOutput& AOutput, TCustomArgument& AArgument) {
    AOutput.Write("option name ", ccKeyword);
    AOutput.Write(AArgument.Shortcut(), ccValue);
    AOutput.Write(" type ", ccKeyword);
    AOutput.Write(ArgumentTypeName(&AArgument), ccValue);
    if (dynamic_cast<TButtonArgument*>(&AArgument) != nullptr) {
        AOutput.WriteLine("", ccValue);
        return;
    }
    AOutput.Write(" default ", ccKeyword);
    if (auto* check = dynamic_cast<TSwitchArgument*>(&AArgument)) {
        const bool value = check->DefaultValue();
        AOutput.WriteLine(value ? "true" : "false", value ? ccTrueValue : ccFalseValue);
    } else if (auto* spin = dynamic_cast<TNumericalIntervalArgument*>(&AArgument)) {
        AOutput.Write(std::to_string(spin->DefaultValue()), ccValue);
        AOutput.Write(" min ", ccKeyword);
        AOutput.Write(std::to_string(spin->NumericalInterval().MinimalValue()), ccValue);
        AOutput.Write(" max ", ccKeyword);
        AOutput.WriteLine(std::to_string(spin->NumericalInterval().MaximalValue()), ccValue);
    } else if (auto* text = dynamic_cast<TStringArgument*>(&AArgument)) {
        AOutput.WriteLine(text->DefaultValue(), ccValue);
    } else if (auto* combo = dynamic_cast<TComboArgument*>(&AArgument)) {
        const auto& captions = combo->Captions();
        const int   index = combo->DefaultValue();
        AOutput.Write(index >= 0 && static_cast<std::size_t>(index) < captions.size()
                          ? captions[static_cast<std::size_t>(index)]
                          : std::string(),
                      ccValue);
        for (const std::string& caption : captions) {
            AOutput.Write(" var ", ccKeyword);
            AOutput.Write(caption, ccValue);
        }
        AOutput.WriteLine("", ccValue);
    } else {
        throw ENotImplemented("Argument.");
    }
}

void TUCIProtocol::ShowCurrentMoveChanged() {
    const int index = FShowCurrentMoveArgument->Value();
    if (TUCIEngineOutput* output = UCIOutput()) {
        output->SetShowCurrentMoveEverySecond(index == 0);
        output->SetShowCurrentMoveOnChange(index == 1);
    }
}

void TUCIProtocol::ShowSelectiveDepthChanged() {
    const int index = FShowSelectiveDepthArgument->Value();
    if (TUCIEngineOutput* output = UCIOutput()) {
        output->SetShowSelectiveDepthEverySecond(index == 0);
        output->SetShowSelectiveDepthOnChange(index == 1);
    }
}
