#pragma once

#include "engine/uEngineCommand.h"

#include <memory>
#include <string>
#include <string_view>

class TInfiniteLevel;

// "sd DEPTH": a depth limit on top of any time control, kept for later searches until the next
// "sd" or "new". Without any level yet, the engine gets an endless one, so that it can search.
class TSdCommand final : public TEngineCommand {
public:
    TSdCommand();
    ~TSdCommand() override;
    std::string GetSyntax() const override { return "[maximal depth]"; }
    void        Execute(std::string_view AParameters) override;

private:
    std::unique_ptr<TInfiniteLevel> FInfiniteLevel;
};
