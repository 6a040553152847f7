#pragma once

#include "engine/uEngineCommand.h"

#include <memory>
#include <string>
#include <string_view>

class TMoveTimeLevel;

// "st SECONDS": exactly this time per move.
class TStCommand final : public TEngineCommand {
public:
    TStCommand();
    ~TStCommand() override;
    std::string     GetSyntax() const override { return "[exact time per move in seconds]"; }
    void            Execute(std::string_view AParameters) override;
    TMoveTimeLevel& MoveTimeLevel() const { return *FMoveTimeLevel; }

private:
    std::unique_ptr<TMoveTimeLevel> FMoveTimeLevel;
};
