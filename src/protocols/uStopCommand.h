#pragma once

#include "engine/uEngineCommand.h"

#include <string_view>

// Stops the engine's search or perft as soon as possible. When the front end had asked for
// an endless search (UCI "go infinite" or "go ponder"), the best move kept since is written
// now, after the search has really ended.
class TStopCommand : public TSimpleEngineCommand {
public:
    explicit TStopCommand(std::string_view AClassName = "TStopCommand");

protected:
    void ExecuteNoParam() override;
};
