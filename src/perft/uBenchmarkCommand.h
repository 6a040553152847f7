#pragma once

#include "engine/uEngineCommand.h"

#include <memory>
#include <string>
#include <string_view>

class TMoveTimeLevel;

// "benchmark basic": five fixed positions, three seconds each, the engine's speed in nodes per
// second for each and in total. Owns the move-time level it gives the engine; the level stays
// the engine's level afterwards, and the last position stays set.
class TBenchmarkCommand final : public TEngineCommand {
public:
    TBenchmarkCommand();
    ~TBenchmarkCommand() override;

    std::string GetSyntax() const override { return "[basic]"; }
    void        Execute(std::string_view AParameters) override;

private:
    std::unique_ptr<TMoveTimeLevel> FLevel;
};
