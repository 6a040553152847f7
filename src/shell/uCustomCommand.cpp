#include "shell/uCustomCommand.h"

#include "support/uCommonOutputFormat.h"
#include "support/uExceptions.h"
#include "support/uOutputInfo.h"
#include "support/uTable.h"
#include "support/uTextHelpers.h"

#include <algorithm>

std::string TCustomCommand::ShortcutFromClassName(std::string_view AClassName) {
    std::string name(AClassName);
    if (!name.empty() && name[0] == 'T')
        name.erase(0, 1);
    constexpr std::string_view suffix = "Command";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    return name;
}

TCustomCommand::TCustomCommand(std::string_view AClassName)
    : FShortcut(ShortcutFromClassName(AClassName)) {}

std::string TCustomCommand::GetSyntax() const {
    throw ENotImplemented("Abstract error: " + FShortcut + ".GetSyntax");
}

void TCustomCommand::Execute(std::string_view) {
    ++FExecuteCount;
}

std::string TCustomCommand::Syntax() const {
    try {
        return GetSyntax();
    } catch (const std::exception&) {
        return {};
    }
}

std::string TCustomCommand::GetShortcutAndSyntax() const {
    const std::string syntax = Syntax();
    return syntax.empty() ? FShortcut : FShortcut + " " + syntax;
}

void TSimpleCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (!AParameters.empty())
        throw EArgumentException("No parameters required.");
    ExecuteNoParam();
}

void TUnsupportedCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    throw ENotSupportedException(Shortcut() + " command is not supported.");
}

void TCommands::Clear() {
    FChanged = false;
    FCommandIndexes.clear();
    FCommandNamesSorted.clear();
    FCommands.clear();
}

TCustomCommand& TCommands::Add(std::unique_ptr<TCustomCommand> ACommand) {
    FCommands.push_back(std::move(ACommand));
    FChanged = true;
    return *FCommands.back();
}

void TCommands::Add(std::vector<std::unique_ptr<TCustomCommand>> ACommands) {
    for (auto& command : ACommands)
        FCommands.push_back(std::move(command));
    FChanged = true;
}

void TCommands::Delete(TCustomCommand& ACommand) {
    const auto found = std::find_if(FCommands.begin(), FCommands.end(),
                                    [&](const auto& c) { return c.get() == &ACommand; });
    if (found == FCommands.end())
        throw EArgumentException("Can not delete command \"" + ACommand.Shortcut() +
                                 "\" because not found in command list.");
    FCommands.erase(found);
    FChanged = true;
}

void TCommands::Disable(TCustomCommand& ACommand) {
    const auto found = std::find_if(FCommands.begin(), FCommands.end(),
                                    [&](const auto& c) { return c.get() == &ACommand; });
    if (found == FCommands.end())
        throw EArgumentException("Can not disable command \"" + ACommand.Shortcut() +
                                 "\" because not found in command list.");
    ACommand.SetEnabled(false);
}

void TCommands::RebuildIndex() const {
    std::vector<std::string> keys;
    keys.reserve(FCommands.size());
    for (const auto& command : FCommands)
        keys.push_back(LowerCase(ReplaceAll(command->Shortcut(), " ", "")));
    FCommandIndexes.resize(FCommands.size());
    for (std::size_t i = 0; i < FCommandIndexes.size(); ++i)
        FCommandIndexes[i] = static_cast<std::int32_t>(i);
    std::stable_sort(
        FCommandIndexes.begin(), FCommandIndexes.end(), [&](std::int32_t A, std::int32_t B) {
            return keys[static_cast<std::size_t>(A)] < keys[static_cast<std::size_t>(B)];
        });
    FCommandNamesSorted.clear();
    for (const std::int32_t index : FCommandIndexes)
        FCommandNamesSorted.push_back(keys[static_cast<std::size_t>(index)]);
    FChanged = false;
}

TCustomCommand* TCommands::FindByString(std::string_view AName) const {
    if (FChanged)
        RebuildIndex();
    const std::string key = LowerCase(AName);
    const auto        found =
        std::lower_bound(FCommandNamesSorted.begin(), FCommandNamesSorted.end(), key);
    if (found == FCommandNamesSorted.end() || *found != key)
        return nullptr;
    const auto position = static_cast<std::size_t>(found - FCommandNamesSorted.begin());
    return FCommands[static_cast<std::size_t>(FCommandIndexes[position])].get();
}

TCustomCommand& TCommands::FindByStringException(std::string_view AName) const {
    TCustomCommand* command = FindByString(AName);
    if (command == nullptr)
        throw EParseError({"Valid command"}, AName);
    // Help lists a disabled command, so it is named as such rather than as a typing error.
    if (!command->Enabled())
        throw Exception("Command " + command->Shortcut() + " is disabled.");
    return *command;
}

void TCommands::WriteToCommonOutput() const {
    TTable table;
    table.AddHeader({"Command name and parameters", "Description", "Used"});
    for (const auto& command : FCommands) {
        const bool grey = !command->Enabled() ||
                          dynamic_cast<const TUnsupportedCommand*>(command.get()) != nullptr;
        table.AddRow({command->GetShortcutAndSyntax(), command->Description(),
                      TCommonOutputFormat::IntToSGrouped(command->ExecuteCount())},
                     grey ? ccGray : ccLightGray);
    }
    WriteTable(table);
}
