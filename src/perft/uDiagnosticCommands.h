#pragma once

#include "engine/uEngineCommand.h"

#include <cstdint>
#include <string>
#include <string_view>

// The engine's console diagnostics. They work in console mode and in every protocol: their text
// goes through the engine's current output.

// "EngineState": options, modes, level, position, legal moves and the perft table.
class TEngineStateCommand final : public TSimpleEngineCommand {
public:
    TEngineStateCommand();

protected:
    void ExecuteNoParam() override;
};

// "ShowBoard": the board diagram of the current position.
class TShowBoardCommand final : public TSimpleEngineCommand {
public:
    TShowBoardCommand();

protected:
    void ExecuteNoParam() override;
};

// "Eval": the evaluation of the current position with its terms.
class TEvalCommand final : public TSimpleEngineCommand {
public:
    TEvalCommand();

protected:
    void ExecuteNoParam() override;
};

// "Perft <depth>": starts a perft of the current position and returns at once; the results
// follow from the perft's own thread.
class TPerftCommand final : public TEngineCommand {
public:
    TPerftCommand();
    std::string GetSyntax() const override { return "[maximal depth]"; }
    void        Execute(std::string_view AParameters) override;
};

// "Debug on|off" (letter case counts): the output's extra debug lines.
class TDebugCommand final : public TEngineCommand {
public:
    TDebugCommand();
    std::string GetSyntax() const override { return "[on | off]"; }
    void        Execute(std::string_view AParameters) override;
};

// The leading integer of a parameter text: blanks and tabs, then any run of "+" and "-" (each
// "-" flips the sign), then digits up to the first other character. No digits give 0; values
// beyond the 32-bit range saturate.
std::int32_t LeadingInteger(std::string_view AText);
