#include "perft/uDiagnosticCommands.h"

#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "support/uExceptions.h"

#include <cstdint>
#include <limits>

std::int32_t LeadingInteger(std::string_view AText) {
    std::size_t i = 0;
    while (i < AText.size() && (AText[i] == ' ' || AText[i] == '\t'))
        ++i;
    bool negative = false;
    while (i < AText.size() && (AText[i] == '+' || AText[i] == '-')) {
        negative = negative != (AText[i] == '-');
        ++i;
    }
    constexpr std::int64_t Limit = std::numeric_limits<std::int32_t>::max();
    std::int64_t           value = 0;
    while (i < AText.size() && AText[i] >= '0' && AText[i] <= '9') {
        value = value * 10 + (AText[i] - '0');
        if (value > Limit)
            value = Limit + 1;
        ++i;
    }
    if (negative)
        value = -value;
    if (value > Limit)
        value = Limit;
    return static_cast<std::int32_t>(value);
}

TEngineStateCommand::TEngineStateCommand() : TSimpleEngineCommand("TEngineStateCommand") {
    SetDescription("Displays engine state.");
}

void TEngineStateCommand::ExecuteNoParam() {
    Engine().EngineStateToConsole();
}

TShowBoardCommand::TShowBoardCommand() : TSimpleEngineCommand("TShowBoardCommand") {
    SetDescription("Displays board of current position.");
}

void TShowBoardCommand::ExecuteNoParam() {
    Engine().WriteBoardToConsole();
}

TEvalCommand::TEvalCommand() : TSimpleEngineCommand("TEvalCommand") {
    SetDescription("Displays evaluation of current position.");
}

void TEvalCommand::ExecuteNoParam() {
    Engine().EvalToConsole();
}

TPerftCommand::TPerftCommand() : TEngineCommand("TPerftCommand") {
    SetDescription("The complete game tree up to depth \"Value\" plies will be computed from the "
                   "momentary position. No evaluations or tree-cuts will be done. This is just "
                   "for testing the correctness and speed of the move generator.");
}

void TPerftCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    if (AParameters.empty())
        throw EParseError({"maximal depth"}, AParameters);
    Engine().GetPerft(LeadingInteger(AParameters));
}

TDebugCommand::TDebugCommand() : TEngineCommand("TDebugCommand") {
    SetDescription("Switch the debug mode of the engine on and off.");
}

void TDebugCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::size_t      end = AParameters.find_first_of(" \t");
    const std::string_view word = AParameters.substr(0, end);
    if (word == "on")
        EngineOutput().SetDebugMode(true);
    else if (word == "off")
        EngineOutput().SetDebugMode(false);
    else
        throw EParseError({"on", "off"}, word);
}
