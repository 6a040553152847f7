#pragma once

#include "engine/uEngineCommand.h"

#include <string>
#include <string_view>
#include <vector>

// Sets an engine option by name (ignoring case) from its text form. Shared by the protocols
// that set options by name.
class TCommonSetOptionCommand : public TEngineCommand {
public:
    using TEngineCommand::TEngineCommand;

    // The option keeps its old value when it refuses the text. "NalimovCache" and
    // "NalimovPath", which front ends send to every engine, are ignored; any other unknown name
    // raises "Option '<name>' not found.".
    void SetOptionValue(std::string_view AName, std::string_view AValue);
    // Another name (exact case) to ignore like the Nalimov options: one a protocol's front ends
    // send to every engine.
    void IgnoreOption(std::string_view AName) { FIgnoredOptions.emplace_back(AName); }

private:
    std::vector<std::string> FIgnoredOptions;
};

// "setoption name <option name> [value <option value>]"; for UCI_Opponent also without "name".
class TSetOptionCommand final : public TCommonSetOptionCommand {
public:
    TSetOptionCommand();
    std::string GetSyntax() const override { return "name {option name} value {option value}"; }
    void        Execute(std::string_view AParameters) override;
};
