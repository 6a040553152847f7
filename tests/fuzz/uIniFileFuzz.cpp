// The ini reader: any text is a document. Written back and read again it must give the same
// document; every value reads as a number, a flag, an escaped text and a list without failing
// differently from the program's own errors; and text macros expand or refuse.
#include "support/uExceptions.h"
#include "support/uKvIniFile.h"
#include "support/uTextMacro.h"
#include "uFuzzSupport.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    const std::string_view text = InputText(AData, ASize);
    TKvIniFile             ini;
    ini.SetText(text);
    const std::string written = ini.AsString();
    TKvIniFile        again;
    again.SetText(written);
    Require(again.AsString() == written, "a written document reads back the same", written);

    for (int i = 0; i < ini.SectionCount(); ++i) {
        const std::string section = ini.GetSectionName(i);
        for (const std::string& line : ini.ReadSection(section)) {
            const std::string name = line.substr(0, line.find('='));
            (void)ini.ReadNum(section, name, 7);
            (void)ini.ReadNumU(section, name, 7);
            (void)ini.ReadBool(section, name, true);
            std::string escaped;
            ini.RWMultilineString(section, name, false, escaped);
            (void)ini.ReadFloat(section, name, 0.5);
        }
        std::vector<std::string> strings;
        ini.RWStrings(section, false, strings);
    }
    (void)IniTextToInt(text);

    TTextMacro macro;
    macro.Add("HOME", "/home/user");
    macro.Add("Name", "%Name%");
    try {
        (void)macro.RemoveVariables(text);
    } catch (const Exception&) {
    }
    macro.SetRaiseErrorIfVariableNotFound(false);
    macro.SetCaseSensitive(false);
    (void)macro.RemoveVariables(text);
    return 0;
}
