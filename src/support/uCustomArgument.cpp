#include "support/uCustomArgument.h"

#include "platform/uPlatformSystem.h"
#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uOutputInfo.h"
#include "support/uTable.h"
#include "support/uTextHelpers.h"
#include "support/uTextMacro.h"

#include <filesystem>
#include <limits>

// ---- TCustomArgument ----

TCustomArgument::TCustomArgument(std::string_view AShortcut, std::string_view ADescription,
                                 TRequireCheck ARequireCheck)
    : FDescription(ADescription), FShortcut(AShortcut), FRequireCheck(ARequireCheck) {}

std::string TCustomArgument::Preview() const {
    if (FRequireCheck == rcDisabled)
        return {};
    std::string       text = GetArgumentShortcutAndSyntax() + " " + FDescription;
    const std::string requiredOrOptional = GetRequiredOrOptional();
    if (!requiredOrOptional.empty())
        text += " (" + requiredOrOptional + ")";
    text += "\n";
    if (!FRequires.empty()) {
        text += "  Requires: ";
        for (const TCustomArgument* other : FRequires)
            text += "\"" + other->Shortcut() + "\";";
        text += "\r\n";
    }
    return text;
}

std::string TCustomArgument::GetRequired() const {
    switch (FRequireCheck) {
    case rcRequired:
        return "yes";
    case rcOptional:
        return "no";
    case rcDisabled:
        break;
    }
    return {};
}

std::string TCustomArgument::GetRequiredOrOptional() const {
    switch (FRequireCheck) {
    case rcRequired:
        return "required";
    case rcOptional:
        return "optional";
    case rcDisabled:
        break;
    }
    return {};
}

std::string TCustomArgument::Check() const {
    std::string text;
    for (const TCustomArgument* other : FRequires)
        if (!other->ExistsNoUsed())
            text +=
                "Argument \"" + FShortcut + "\" requires argument \"" + other->Shortcut() + "\"\n";
    return text;
}

std::string TCustomArgument::GetRequireList() const {
    if (FRequires.empty())
        return {};
    std::string text = "\n  requires: ";
    for (const TCustomArgument* other : FRequires)
        text += "\"" + other->Shortcut() + "\";";
    return text;
}

std::string TCustomArgument::GetArgumentShortcutAndSyntax() const {
    const std::string syntax = GetSyntax();
    return "-" + FShortcut + (syntax.empty() ? "" : " " + syntax);
}

// ---- TSwitchArgument ----

TSwitchArgument::TSwitchArgument(std::string_view AShortcut, std::string_view ADescription,
                                 TRequireCheck ARequireCheck, bool ADefaultValue)
    : TCustomArgument(AShortcut, ADescription, ARequireCheck), FValue(ADefaultValue),
      FDefaultValue(ADefaultValue) {}

std::string TSwitchArgument::GetValueAsString() {
    return Value() ? "true" : "false";
}

void TSwitchArgument::SetValueFromString(std::string_view AValue) {
    const std::string upper = UpperCase(AValue);
    if (upper == "FALSE" || upper == "0")
        SetValue(false);
    else if (upper.empty() || upper == "TRUE" || upper == "1")
        SetValue(true);
    else
        throw EParseError("Argument '" + Shortcut() + "' is switch, ",
                          {"{no value}", "false", "true", "0", "1"}, AValue);
}

void TSwitchArgument::SetValue(bool AValue) {
    if (FValue == AValue)
        return;
    FValue = AValue;
    Changed();
}

// ---- TStringArgument ----

TStringArgument::TStringArgument(std::string_view AShortcut, std::string_view ADescription,
                                 TRequireCheck ARequireCheck, std::string_view ADefaultValue)
    : TCustomArgument(AShortcut, ADescription, ARequireCheck), FDefaultValue(ADefaultValue),
      FValue(ADefaultValue) {}

void TStringArgument::SetValue(std::string_view AValue) {
    if (FValue == AValue)
        return;
    FValue = AValue;
    Changed();
}

// ---- TFileNameArgument ----

TFileNameArgument::TFileNameArgument(std::string_view AShortcut, std::string_view ADescription,
                                     TRequireCheck ARequireCheck, bool AMustExists)
    : TStringArgument(AShortcut, ADescription, ARequireCheck), FMustExists(AMustExists) {}

std::string TFileNameArgument::ResolveFileName(std::string_view AName) {
    const std::filesystem::path start(TStartState::StartDirectory());
    if (AName.empty())
        return start.string();
    std::filesystem::path path(StartupEnvironment().RemoveVariables(AName));
    if (path.is_relative())
        path = start / path;
    return path.lexically_normal().string();
}

void TFileNameArgument::SetValueFromString(std::string_view AValue) {
    SetValue(ResolveFileName(AValue));
    std::error_code error;
    if (FMustExists && !std::filesystem::exists(FValue, error))
        throw EFileNotFoundException("File \"" + std::string(AValue) + "\" not found.");
}

// ---- numeric kinds ----

TNumericalInterval::TNumericalInterval()
    : FMinimalValue(std::numeric_limits<std::int64_t>::min()),
      FMaximalValue(std::numeric_limits<std::int64_t>::max()) {}

TNumericalInterval::TNumericalInterval(std::int64_t AMinimalValue, std::int64_t AMaximalValue)
    : FMinimalValue(AMinimalValue), FMaximalValue(AMaximalValue) {}

std::string TNumericalInterval::Description() const {
    return "Interval [" + TCommonOutputFormat::IntToSGrouped(FMinimalValue) + ".." +
           TCommonOutputFormat::IntToSGrouped(FMaximalValue) + "]";
}

TNumericArgument::TNumericArgument(std::string_view AShortcut, std::string_view ADescription,
                                   std::unique_ptr<TNumericalSet> ANumericalSet,
                                   TRequireCheck ARequireCheck, std::int64_t ADefaultValue)
    : TCustomArgument(AShortcut, ADescription, ARequireCheck),
      FNumericalSet(std::move(ANumericalSet)), FValue(ADefaultValue), FDefaultValue(ADefaultValue) {
}

std::string TNumericArgument::GetSyntax() const {
    std::string syntax(1, '<');
    syntax += FNumericalSet->Description();
    syntax += '>';
    return syntax;
}

void TNumericArgument::SetValueFromString(std::string_view AValue) {
    const std::int64_t value = StrToInt64(AValue);
    if (!FNumericalSet->Contains(value))
        throw EArgumentOutOfRangeException("Invalid argument '" + Shortcut() + "' value '" +
                                           std::string(AValue) + "'. " +
                                           FNumericalSet->Description() + " expected.");
    SetValue(value);
}

void TNumericArgument::SetValue(std::int64_t AValue) {
    if (FValue == AValue)
        return;
    FValue = AValue;
    Changed();
}

TNumericalIntervalArgument::TNumericalIntervalArgument(
    std::string_view AShortcut, std::string_view ADescription, std::int64_t AMinimalValue,
    std::int64_t AMaximalValue, std::int64_t ADefaultValue, TRequireCheck ARequireCheck)
    : TNumericArgument(AShortcut, ADescription,
                       std::make_unique<TNumericalInterval>(AMinimalValue, AMaximalValue),
                       ARequireCheck, ADefaultValue) {}

// ---- TComboArgument ----

TComboArgument::TComboArgument(std::string_view AShortcut, std::string_view ADescription,
                               std::vector<std::string> ACaptions, int ADefaultValue,
                               TRequireCheck ARequireCheck)
    : TCustomArgument(AShortcut, ADescription, ARequireCheck), FCaptions(std::move(ACaptions)),
      FValue(ADefaultValue), FDefaultValue(ADefaultValue) {}

std::string TComboArgument::GetSyntax() const {
    std::string syntax = "[";
    for (const auto& caption : FCaptions)
        syntax += caption + "|";
    return syntax + "]";
}

std::string TComboArgument::GetValueAsString() {
    const int value = Value();
    if (value < 0 || value >= static_cast<int>(FCaptions.size()))
        return "N/A";
    return FCaptions[static_cast<std::size_t>(value)];
}

void TComboArgument::SetValueFromString(std::string_view AValue) {
    for (std::size_t i = 0; i < FCaptions.size(); ++i)
        if (SameText(FCaptions[i], AValue)) {
            SetValue(static_cast<int>(i));
            return;
        }
    throw EParseError("Invalid argument '" + Shortcut() + "' value, ", FCaptions, AValue);
}

void TComboArgument::SetValue(int AValue) {
    if (FValue == AValue)
        return;
    FValue = AValue;
    Changed();
}

TButtonArgument::TButtonArgument(std::string_view AShortcut, std::string_view ADescription,
                                 TRequireCheck ARequireCheck)
    : TCustomArgument(AShortcut, ADescription, ARequireCheck) {}

// ---- TArguments ----

void TArguments::DeleteAll() {
    FArguments.clear();
    FOwned.clear();
}

void TArguments::Clear() {
    for (TCustomArgument* argument : FArguments) {
        argument->SetExists(false);
        argument->SetUsed(false);
    }
}

TCustomArgument* TArguments::FindByString(std::string_view AName) const {
    for (TCustomArgument* argument : FArguments)
        if (SameText(argument->Shortcut(), AName))
            return argument;
    return nullptr;
}

namespace {

struct TPairBuilder {
    std::vector<std::pair<std::string, std::string>> Pairs;
    bool                                             ExpectValue = false;

    void Name(std::string AName) {
        Pairs.emplace_back(std::move(AName), std::string());
        ExpectValue = true;
    }
    void Complete(std::string AName, std::string AValue) {
        Pairs.emplace_back(std::move(AName), std::move(AValue));
        ExpectValue = false;
    }
    void Plain(std::string AToken) {
        if (ExpectValue) {
            Pairs.back().second = std::move(AToken);
            ExpectValue = false;
        } else {
            Name(std::move(AToken));
        }
    }
};

std::string QuoteDoubled(std::string_view AText) {
    return ReplaceAll(AText, "'", "''");
}

} // namespace

void TArguments::Apply(const std::vector<std::pair<std::string, std::string>>& APairs) {
    for (const auto& [name, value] : APairs) {
        TCustomArgument* argument = FindByString(name);
        if (argument == nullptr)
            throw EArgumentException("Unknown command-line parameter '" + QuoteDoubled(name) +
                                     "'.");
        argument->SetExists(true);
        argument->SetValueFromString(value);
    }
}

void TArguments::Parse(const std::vector<std::string>& ATokens) {
    // Only "-" and "--" mark names: "/" starts a path on this system.
    TPairBuilder builder;
    bool         nextIsName = false;
    for (const auto& token : ATokens) {
        if (nextIsName) {
            builder.Name(token);
            nextIsName = false;
            continue;
        }
        if (!token.empty() && token[0] == '-') {
            std::string_view name(token);
            name.remove_prefix(name.size() > 1 && name[1] == '-' ? 2 : 1);
            if (name.empty()) {
                nextIsName = true;
                continue;
            }
            const std::size_t colon = name.find(':');
            if (colon != std::string_view::npos)
                builder.Complete(std::string(name.substr(0, colon)),
                                 std::string(name.substr(colon + 1)));
            else
                builder.Name(std::string(name));
            continue;
        }
        builder.Plain(token);
    }
    Apply(builder.Pairs);
}

std::vector<std::string> TArguments::TokenizeCommandLine(std::string_view ACommandLine) {
    std::size_t       i = 0;
    const std::size_t n = ACommandLine.size();
    auto              skipBlanks = [&] {
        while (i < n && (ACommandLine[i] == ' ' || ACommandLine[i] == '\t'))
            ++i;
    };
    // A quoted run ends at the next quote not preceded by a backslash; such backslashes go.
    // An unclosed quote runs to the end of the line.
    auto readQuoted = [&] {
        std::string token;
        ++i;
        while (i < n && ACommandLine[i] != '"') {
            if (ACommandLine[i] == '\\' && i + 1 < n && ACommandLine[i + 1] == '"')
                ++i;
            token += ACommandLine[i++];
        }
        if (i < n)
            ++i;
        return token;
    };
    skipBlanks();
    if (i < n && ACommandLine[i] == '"')
        readQuoted();
    else
        while (i < n && ACommandLine[i] != ' ')
            ++i;
    std::vector<std::string> tokens;
    while (true) {
        skipBlanks();
        if (i >= n)
            break;
        if (ACommandLine[i] == '"') {
            tokens.push_back(readQuoted());
            continue;
        }
        const std::size_t start = i;
        while (i < n && ACommandLine[i] != ' ' && ACommandLine[i] != '\t')
            ++i;
        tokens.emplace_back(ACommandLine.substr(start, i - start));
    }
    return tokens;
}

void TArguments::ParseCommandLine(std::string_view ACommandLine) {
    Parse(TokenizeCommandLine(ACommandLine));
}

std::string TArguments::Check() const {
    std::string text;
    for (const TCustomArgument* argument : FArguments)
        if (argument->ExistsNoUsed())
            text += argument->Check();
    return text;
}

std::string TArguments::ShowRequired() const {
    std::string text;
    for (const TCustomArgument* argument : FArguments)
        if (argument->RequiredNotFound())
            text += "\n  Argument \"" + argument->Shortcut() + "\" required";
    return text;
}

std::string TArguments::ShowUnused() const {
    std::string text;
    for (const TCustomArgument* argument : FArguments)
        if (argument->RequireCheck() == rcRequired && !argument->Used())
            text += "\n  Argument '" + argument->Shortcut() +
                    "' from command-line is not used in program";
    return text;
}

void TArguments::WriteUnused() const {
    const std::string unused = ShowUnused();
    if (!unused.empty())
        WriteWarning(unused);
}

int TArguments::ExistsCount() const {
    int count = 0;
    for (const TCustomArgument* argument : FArguments)
        count += argument->ExistsNoUsed() ? 1 : 0;
    return count;
}

int TArguments::RequiredArgumentCount() const {
    int count = 0;
    for (const TCustomArgument* argument : FArguments)
        count += argument->RequireCheck() == rcRequired ? 1 : 0;
    return count;
}

void TArguments::WriteToCommonOutput() const {
    TTable table;
    table.SetCaption(FName);
    table.AddHeader({"Parameter", "Description", "Required"});
    for (const TCustomArgument* argument : FArguments)
        table.AddRow({argument->GetArgumentShortcutAndSyntax(), argument->Description(),
                      argument->GetRequired() + argument->GetRequireList()});
    WriteTable(table);
}

void TArguments::WriteValuesToCommonOutput() const {
    TTable table;
    table.AddHeader({"Parameter", "Value"});
    for (TCustomArgument* argument : FArguments)
        table.AddRow({argument->Shortcut(), argument->GetValueAsString()});
    WriteTable(table);
}

TDefaultArguments::TDefaultArguments()
    : FHelp(std::make_unique<TSwitchArgument>("h", "Display this help.")) {
    Add(*FHelp);
}

void TDefaultArguments::Parse(const std::vector<std::string>& ATokens) {
    TArguments::Parse(ATokens);
    if (FHelp->ExistsNoUsed() || (ExistsCount() == 0 && RequiredArgumentCount() > 0))
        WriteToCommonOutput();
}

// ---- TStartState ----

namespace {
std::vector<std::string> GFullArguments;
std::vector<std::string> GArguments;
std::string              GStartDirectory;
} // namespace

void TStartState::SetArguments(int argc, const char* const* argv) {
    GFullArguments.assign(argv, argv + argc);
    GArguments.assign(argc > 1 ? argv + 1 : argv + argc, argv + argc);
    GStartDirectory = CurrentDirectory();
}

const std::vector<std::string>& TStartState::Arguments() {
    return GArguments;
}
const std::vector<std::string>& TStartState::FullArguments() {
    return GFullArguments;
}

std::string TStartState::CommandLine() {
    std::string line;
    for (const auto& argument : GFullArguments) {
        if (!line.empty())
            line += ' ';
        line += argument.find(' ') != std::string::npos ? "\"" + argument + "\"" : argument;
    }
    return line;
}

const std::string& TStartState::StartDirectory() {
    if (GStartDirectory.empty())
        GStartDirectory = CurrentDirectory();
    return GStartDirectory;
}

bool TStartState::RunFromIDE() {
    return DebuggerPresent();
}
