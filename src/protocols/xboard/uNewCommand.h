#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string_view>

// "new": standard chess from its start position, clocks at zero, no depth limit, auto play on.
// xboard names the variant only for games that are not standard chess, so a new game must not
// keep the variant of the previous one.
class TNewCommand final : public TXBoardProtocolCommand {
public:
    TNewCommand();
    void Execute(std::string_view AParameters) override;
};
