#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "analyze": analyse mode; the engine analyses without end and plays no move. "analyze" and
// "go" are refused until "exit".
class TAnalyzeCommand final : public TXBoardProtocolCommand {
public:
    TAnalyzeCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};
