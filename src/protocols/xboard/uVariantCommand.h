#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "variant NAME": the variant of that name, xboard's names (normal, fischerandom, lower case)
// included; an unknown name raises the parse error expecting 'VariantName'.
class TVariantCommand final : public TXBoardProtocolCommand {
public:
    TVariantCommand();
    std::string GetSyntax() const override { return "[VariantName]"; }
    void        Execute(std::string_view AParameters) override;
};
