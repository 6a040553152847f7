#include "support/uTextMacro.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

extern char** environ;

void TTextMacro::Add(std::string_view AName, std::string_view AValue) {
    FNamesAndValues.emplace_back(std::string(AName), std::string(AValue));
}

const std::string* TTextMacro::Find(std::string_view AName) const {
    for (const auto& [name, value] : FNamesAndValues)
        if (FCaseSensitive ? name == AName : SameText(name, AName))
            return &value;
    return nullptr;
}

bool TTextMacro::VariableExists(std::string_view AName) const {
    return Find(AName) != nullptr;
}

std::string TTextMacro::FindValue(std::string_view AName) const {
    const std::string* value = Find(AName);
    return value != nullptr ? *value : std::string();
}

std::string TTextMacro::RemoveVariables(std::string_view AText) const {
    std::string result;
    std::size_t i = 0;
    while (i < AText.size()) {
        const std::size_t open = AText.find(FVariableSeparator, i);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = AText.find(FVariableSeparator, open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view name = AText.substr(open + 1, close - open - 1);
        result.append(AText.substr(i, open - i));
        if (const std::string* value = Find(name)) {
            result += *value;
        } else {
            if (FRaiseErrorIfVariableNotFound)
                throw EArgumentException("Variable " + std::string(name) + " not found.");
            result.append(AText.substr(open, close - open + 1));
        }
        i = close + 1;
    }
    result.append(AText.substr(std::min(i, AText.size())));
    return result;
}

const TTextMacro& StartupEnvironment() {
    static const TTextMacro environment = [] {
        TTextMacro macro;
        macro.SetCaseSensitive(false);
        macro.SetRaiseErrorIfVariableNotFound(false);
        for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
            const std::string_view text(*entry);
            const std::size_t      equals = text.find('=');
            if (equals != std::string_view::npos)
                macro.Add(text.substr(0, equals), text.substr(equals + 1));
        }
        return macro;
    }();
    return environment;
}
