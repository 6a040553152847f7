#include "protocols/uSetOptionCommand.h"

#include "engine/uInternalEngine.h"
#include "protocols/uUCIParameterReader.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uLogger.h"
#include "support/uTextHelpers.h"

void TCommonSetOptionCommand::SetOptionValue(std::string_view AName, std::string_view AValue) {
    TCustomArgument* option = Engine().Options().FindByString(AName);
    if (option == nullptr) {
        if (AName == "NalimovCache" || AName == "NalimovPath")
            return;
        for (const std::string& ignored : FIgnoredOptions)
            if (AName == ignored)
                return;
        throw EConvertError("Option '" + std::string(AName) + "' not found.");
    }
    if (IsLoggerFor(mlInformation))
        MainLog()->Log(mlInformation,
                       "setoption " + std::string(AName) + "=" + std::string(AValue));
    option->SetValueFromString(AValue);
}

TSetOptionCommand::TSetOptionCommand() : TCommonSetOptionCommand("TSetOptionCommand") {
    SetDescription("Change the internal parameters of the engine.");
}

void TSetOptionCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TUCIParameterReader reader(AParameters);
    const std::string   first = reader.ReadWord();
    if (first == "UCI_Opponent")
        reader.SetPosition(0); // front ends also send this option without "name"
    else if (first != "name")
        throw EParseError({"name"}, first);
    const std::string_view rest = reader.Rest();
    const std::size_t      value = rest.find("value");
    const std::string      name = Trim(rest.substr(0, value));
    std::string_view       text;
    if (value != std::string_view::npos) {
        TUCIParameterReader valueReader(rest.substr(value + 5));
        valueReader.SkipBlanks();
        text = valueReader.Rest();
    }
    SetOptionValue(name, text);
}
