#pragma once

#include "protocols/uSetOptionCommand.h"

#include <string>
#include <string_view>

// "option NAME=VALUE": the engine option NAME (names ignore case) takes VALUE from its text
// form; "option NAME" presses a button. The option keeps its value when it refuses the text.
// "NalimovCache" and "NalimovPath", which adapters send to every engine, are ignored; any other
// unknown name raises "Option 'NAME' not found.".
class TOptionCommand final : public TCommonSetOptionCommand {
public:
    TOptionCommand();
    std::string GetSyntax() const override { return "Name[=Value]"; }
    void        Execute(std::string_view AParameters) override;
};
