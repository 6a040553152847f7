#include "protocols/xboard/uOptionCommand.h"

#include "support/uTextHelpers.h"

TOptionCommand::TOptionCommand() : TCommonSetOptionCommand("TOptionCommand") {
    SetDescription("Changes the setting of the option \"Name\" defined by the engine (through an "
                   "earlier feature command) to the given \"Value\".");
}

void TOptionCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::size_t      equals = AParameters.find('=');
    const std::string      name = Trim(AParameters.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : AParameters.substr(equals + 1);
    SetOptionValue(name, value);
}
