#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Text with variables: "%NAME%" is replaced by NAME's value.
class TTextMacro {
public:
    TTextMacro() = default;
    virtual ~TTextMacro() = default;

    void Add(std::string_view AName, std::string_view AValue);
    bool VariableExists(std::string_view AName) const;
    // The value, or empty when the name is unknown.
    std::string FindValue(std::string_view AName) const;
    // Replaces every known variable (separators included) by its value. An unknown name raises
    // "Variable NAME not found." unless the macro is tolerant; a separator without a closing
    // one ends the scan.
    std::string RemoveVariables(std::string_view AText) const;

    void SetCaseSensitive(bool AValue) { FCaseSensitive = AValue; }
    void SetRaiseErrorIfVariableNotFound(bool AValue) { FRaiseErrorIfVariableNotFound = AValue; }
    void SetVariableSeparator(char AValue) { FVariableSeparator = AValue; }

private:
    const std::string* Find(std::string_view AName) const;

    char                                             FVariableSeparator = '%';
    bool                                             FRaiseErrorIfVariableNotFound = true;
    bool                                             FCaseSensitive = true;
    std::vector<std::pair<std::string, std::string>> FNamesAndValues;
};

// The process environment as variables: case-insensitive and tolerant of unknown names.
const TTextMacro& StartupEnvironment();
