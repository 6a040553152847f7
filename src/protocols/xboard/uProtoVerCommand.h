#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "protover N": stores the version and answers with the feature list. A missing or unreadable
// number is version 0; the features are written anyway.
class TProtoVerCommand final : public TXBoardProtocolCommand {
public:
    TProtoVerCommand();
    std::string GetSyntax() const override { return "[Protocol Version]"; }
    void        Execute(std::string_view AParameters) override;
};
