// The command-line parser with one argument of every kind. The first byte chooses the form: argv
// tokens (the rest split at NUL bytes) or a whole command line text with quotes. Whatever is
// refused, every argument keeps a value of its own kind: the number within its interval, the
// choice among the captions.
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "uFuzzSupport.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 1)
        return 0;
    static const bool prepared = [] {
        const char* arguments[] = {"kvvexdra"};
        TStartState::SetArguments(1, arguments);
        return true;
    }();
    (void)prepared;

    TDefaultArguments arguments;
    arguments.SetName("Command-Line Parameters");
    auto& startup = arguments.Own(
        std::make_unique<TFileNameArgument>("startup", "File with startup commands.", rcOptional));
    arguments.Own(std::make_unique<TSwitchArgument>("minimized", "Minimizes application"));
    arguments.Own(std::make_unique<TStringArgument>("name", "A text.", rcOptional));
    auto& depth = arguments.Own(std::make_unique<TNumericalIntervalArgument>(
        "depth", "A number.", -5, 100, 10, rcOptional));
    auto& combo = arguments.Own(std::make_unique<TComboArgument>(
        "combo", "A choice.", std::vector<std::string>{"One", "Two words", "none"}, 1, rcOptional));
    int   presses = 0;
    arguments.Own(std::make_unique<TButtonArgument>("press", "A button.", rcOptional))
        .SetOnChange([&](TCustomArgument&) { ++presses; });
    startup.Require(depth);

    const std::string_view text = InputText(AData + 1, ASize - 1);
    try {
        if (AData[0] & 1) {
            std::vector<std::string> tokens;
            std::size_t              start = 0;
            for (std::size_t nul; (nul = text.find('\0', start)) != std::string_view::npos;
                 start = nul + 1)
                tokens.emplace_back(text.substr(start, nul - start));
            tokens.emplace_back(text.substr(start));
            arguments.Parse(tokens);
        } else {
            arguments.ParseCommandLine(text);
        }
    } catch (const Exception&) {
    }
    (void)arguments.Check();
    (void)arguments.ShowRequired();
    (void)arguments.ShowUnused();
    for (TCustomArgument* argument : arguments.Items()) {
        (void)argument->Preview();
        (void)argument->GetValueAsString();
    }
    Require(depth.NumericalInterval().Contains(depth.ValueNoUsed()),
            "a number stays within its interval", std::to_string(depth.ValueNoUsed()));
    Require(combo.Value() >= 0 && combo.Value() < static_cast<int>(combo.Captions().size()),
            "a choice stays among the captions", std::to_string(combo.Value()));
    return 0;
}
