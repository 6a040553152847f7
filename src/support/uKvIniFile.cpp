#include "support/uKvIniFile.h"

#include "platform/uPlatformFiles.h"
#include "support/uCustomArgument.h"
#include "support/uEscapedText.h"
#include "support/uLogger.h"
#include "support/uOutputInfo.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

void TRWFile::SetFileName(const std::string& AFileName) {
    if (AFileName == FFileName)
        return;
    FFileName = AFileName;
    ReadWrite(false);
}

namespace {

// The sign and magnitude of the leading integer, the magnitude saturated at UINT64_MAX.
std::uint64_t IniMagnitude(std::string_view AText, bool& ANegative, bool& ASaturated) {
    std::size_t i = 0;
    while (i < AText.size() && (AText[i] == ' ' || AText[i] == '\t' || AText[i] == ','))
        ++i;
    ANegative = false;
    ASaturated = false;
    while (i < AText.size() && (AText[i] == '+' || AText[i] == '-' || AText[i] == ',')) {
        if (AText[i] == '-')
            ANegative = !ANegative;
        ++i;
    }
    constexpr std::uint64_t Maximal = UINT64_MAX;
    std::uint64_t           value = 0;
    for (; i < AText.size(); ++i) {
        if (AText[i] == ',')
            continue;
        if (AText[i] < '0' || AText[i] > '9')
            break;
        const auto digit = static_cast<std::uint64_t>(AText[i] - '0');
        if (value > (Maximal - digit) / 10) {
            value = Maximal;
            ASaturated = true;
        } else {
            value = value * 10 + digit;
        }
    }
    return value;
}

} // namespace

std::uint64_t IniTextToUInt(std::string_view AText, bool& ASaturated) {
    bool                negative = false;
    const std::uint64_t value = IniMagnitude(AText, negative, ASaturated);
    if (negative && value != 0) {
        ASaturated = true;
        return 0;
    }
    return value;
}

std::int64_t IniTextToInt(std::string_view AText) {
    std::size_t i = 0;
    while (i < AText.size() && (AText[i] == ' ' || AText[i] == '\t' || AText[i] == ','))
        ++i;
    bool negative = false;
    while (i < AText.size() && (AText[i] == '+' || AText[i] == '-' || AText[i] == ',')) {
        if (AText[i] == '-')
            negative = !negative;
        ++i;
    }
    std::uint64_t value = 0;
    for (; i < AText.size(); ++i) {
        if (AText[i] == ',')
            continue;
        if (AText[i] < '0' || AText[i] > '9')
            break;
        value = value * 10 + static_cast<std::uint64_t>(AText[i] - '0');
    }
    // Unsigned wrap-around keeps over-long numbers defined.
    return static_cast<std::int64_t>(negative ? std::uint64_t(0) - value : value);
}

TKvIniFile::TKvIniFile(std::string AFileName) : TRWFile(std::move(AFileName)) {}

TKvIniFile::~TKvIniFile() {
    if (!FFileSaved)
        Save();
}

void TKvIniFile::SetText(std::string_view AText) {
    FSections.clear();
    if (AText.size() >= 3 && AText.substr(0, 3) == "\xEF\xBB\xBF")
        AText.remove_prefix(3);
    TIniSection* current = nullptr;
    for (const auto& line : SplitLines(AText)) {
        if (line.empty())
            continue;
        if (line[0] == '[') {
            std::string name = line.substr(1);
            if (!name.empty() && name.back() == ']')
                name.pop_back();
            FSections.push_back({name, {}});
            current = &FSections.back();
            continue;
        }
        if (current == nullptr)
            continue; // lines before the first section are dropped
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            current->Keys.push_back({line, std::string()});
        else
            current->Keys.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    FInMemory = true;
    FFileSaved = true;
}

void TKvIniFile::Load() {
    std::string content;
    if (!FileName().empty() && ReadWholeFile(FileName(), content))
        SetText(content);
    else
        SetText("");
}

void TKvIniFile::EnsureLoaded() {
    if (!FInMemory)
        Load();
}

std::string TKvIniFile::AsString() {
    EnsureLoaded();
    std::string text = "\r\n";
    for (std::size_t s = 0; s < FSections.size(); ++s) {
        if (s > 0)
            text += "\r\n";
        text += "[" + FSections[s].Name + "]\r\n";
        for (const auto& key : FSections[s].Keys)
            text += key.Name + "=" + key.Value + "\r\n";
    }
    return text;
}

bool TKvIniFile::Save() {
    const std::string text = AsString();
    std::string       current;
    bool              ok = true;
    if (!ReadWholeFile(FileName(), current) || current != text)
        ok = ProtectedWriteFile(FileName(), text);
    FFileSaved = true;
    return ok;
}

TIniSection* TKvIniFile::FindSection(std::string_view ASection) {
    EnsureLoaded();
    for (auto& section : FSections)
        if (section.Name == ASection)
            return &section;
    return nullptr;
}

TStringPair* TKvIniFile::FindValue(std::string_view ASection, std::string_view AIdent) {
    TIniSection* section = FindSection(ASection);
    if (section == nullptr)
        return nullptr;
    for (auto& key : section->Keys)
        if (key.Name == AIdent)
            return &key;
    return nullptr;
}

TIniSection& TKvIniFile::ObtainSection(std::string_view ASection) {
    if (TIniSection* section = FindSection(ASection))
        return *section;
    FSections.push_back({std::string(ASection), {}});
    return FSections.back();
}

std::string TKvIniFile::ReadString(std::string_view ASection, std::string_view AIdent,
                                   std::string_view ADefault) {
    const TStringPair* value = FindValue(ASection, AIdent);
    return value != nullptr ? value->Value : std::string(ADefault);
}

std::int64_t TKvIniFile::ReadNum(std::string_view ASection, std::string_view AIdent,
                                 std::int64_t ADefault) {
    const TStringPair* value = FindValue(ASection, AIdent);
    if (value == nullptr || value->Value.empty())
        return ADefault;
    return IniTextToInt(value->Value);
}

std::uint64_t TKvIniFile::ReadNumU(std::string_view ASection, std::string_view AIdent,
                                   std::uint64_t ADefault) {
    const TStringPair* value = FindValue(ASection, AIdent);
    if (value == nullptr || value->Value.empty())
        return ADefault;
    bool                saturated = false;
    const std::uint64_t number = IniTextToUInt(value->Value, saturated);
    if (saturated)
        WriteWarning("Value \"" + value->Value.substr(0, 40) + "\" of " + std::string(AIdent) +
                     " in \"" + FileName() + "\" is out of range; " + std::to_string(number) +
                     " is used");
    return number;
}

double TKvIniFile::ReadFloat(std::string_view ASection, std::string_view AIdent, double ADefault) {
    const TStringPair* value = FindValue(ASection, AIdent);
    if (value == nullptr || value->Value.empty())
        return ADefault;
    return std::strtod(ReplaceAll(value->Value, ",", "").c_str(), nullptr);
}

bool TKvIniFile::ReadBool(std::string_view ASection, std::string_view AIdent, bool ADefault) {
    return ReadNum(ASection, AIdent, ADefault ? 1 : 0) != 0;
}

bool TKvIniFile::SectionExists(std::string_view ASection) {
    return FindSection(ASection) != nullptr;
}

bool TKvIniFile::ValueExists(std::string_view ASection, std::string_view AIdent) {
    return FindValue(ASection, AIdent) != nullptr;
}

int TKvIniFile::GetSectionIndex(std::string_view ASection) {
    EnsureLoaded();
    for (std::size_t i = 0; i < FSections.size(); ++i)
        if (FSections[i].Name == ASection)
            return static_cast<int>(i);
    return -1;
}

std::string TKvIniFile::GetSectionName(int AIndex) {
    EnsureLoaded();
    return AIndex >= 0 && AIndex < static_cast<int>(FSections.size())
               ? FSections[static_cast<std::size_t>(AIndex)].Name
               : std::string();
}

int TKvIniFile::SectionCount() {
    EnsureLoaded();
    return static_cast<int>(FSections.size());
}

std::vector<std::string> TKvIniFile::ReadSection(std::string_view ASection) {
    std::vector<std::string> lines;
    if (const TIniSection* section = FindSection(ASection))
        for (const auto& key : section->Keys)
            lines.push_back(key.Name + "=" + key.Value);
    return lines;
}

void TKvIniFile::WriteString(std::string_view ASection, std::string_view AIdent,
                             std::string_view AValue) {
    TIniSection& section = ObtainSection(ASection);
    FFileSaved = false;
    for (auto& key : section.Keys)
        if (key.Name == AIdent) {
            key.Value = AValue;
            return;
        }
    section.Keys.push_back({std::string(AIdent), std::string(AValue)});
}

void TKvIniFile::WriteNum(std::string_view ASection, std::string_view AIdent, std::int64_t AValue) {
    WriteString(ASection, AIdent, std::to_string(AValue));
}

void TKvIniFile::WriteNumU(std::string_view ASection, std::string_view AIdent,
                           std::uint64_t AValue) {
    WriteString(ASection, AIdent, std::to_string(AValue));
}

void TKvIniFile::WriteFloat(std::string_view ASection, std::string_view AIdent, double AValue) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", AValue);
    WriteString(ASection, AIdent, buffer);
}

void TKvIniFile::WriteBool(std::string_view ASection, std::string_view AIdent, bool AValue) {
    WriteString(ASection, AIdent, AValue ? "1" : "0");
}

void TKvIniFile::AddSection(std::string_view ASection) {
    EnsureLoaded();
    FSections.push_back({std::string(ASection), {}});
}

void TKvIniFile::AddValue(std::string_view ASection, std::string_view AIdent,
                          std::string_view AValue) {
    ObtainSection(ASection).Keys.push_back({std::string(AIdent), std::string(AValue)});
}

void TKvIniFile::DeleteSection(std::string_view ASection) {
    EnsureLoaded();
    const auto found = std::find_if(FSections.begin(), FSections.end(),
                                    [&](const TIniSection& s) { return s.Name == ASection; });
    if (found != FSections.end())
        FSections.erase(found);
}

void TKvIniFile::DeleteValue(std::string_view ASection, std::string_view AIdent) {
    if (TIniSection* section = FindSection(ASection)) {
        const auto found = std::find_if(section->Keys.begin(), section->Keys.end(),
                                        [&](const TStringPair& k) { return k.Name == AIdent; });
        if (found != section->Keys.end())
            section->Keys.erase(found);
    }
}

void TKvIniFile::EmptySection(std::string_view ASection) {
    if (TIniSection* section = FindSection(ASection))
        section->Keys.clear();
}

void TKvIniFile::RWBool(std::string_view ASection, std::string_view AIdent, bool ASave,
                        bool& AValue) {
    if (ASave)
        WriteBool(ASection, AIdent, AValue);
    else
        AValue = ReadBool(ASection, AIdent, AValue);
}

void TKvIniFile::RWNum(std::string_view ASection, std::string_view AIdent, bool ASave,
                       std::int64_t& AValue) {
    if (ASave)
        WriteNum(ASection, AIdent, AValue);
    else
        AValue = ReadNum(ASection, AIdent, AValue);
}

void TKvIniFile::RWNum(std::string_view ASection, std::string_view AIdent, bool ASave,
                       std::uint64_t& AValue) {
    if (ASave)
        WriteNumU(ASection, AIdent, AValue);
    else
        AValue = ReadNumU(ASection, AIdent, AValue);
}

void TKvIniFile::RWString(std::string_view ASection, std::string_view AIdent, bool ASave,
                          std::string& AValue) {
    if (ASave)
        WriteString(ASection, AIdent, AValue);
    else
        AValue = ReadString(ASection, AIdent, AValue);
}

void TKvIniFile::RWMultilineString(std::string_view ASection, std::string_view AIdent, bool ASave,
                                   std::string& AValue) {
    if (ASave)
        WriteString(ASection, AIdent, EscapeText(AValue));
    else if (ValueExists(ASection, AIdent))
        AValue = UnescapeText(ReadString(ASection, AIdent));
}

std::int64_t TKvIniFile::SectionKeyCount(std::string_view ASection) {
    const TIniSection* section = FindSection(ASection);
    return section != nullptr ? static_cast<std::int64_t>(section->Keys.size()) : 0;
}

void TKvIniFile::RWStrings(std::string_view ASection, bool ASave,
                           std::vector<std::string>& AValue) {
    if (ASave) {
        // A damaged count cannot name more lines than the section holds keys.
        const std::int64_t oldCount =
            std::min(ReadNum(ASection, "LineCount", 0), SectionKeyCount(ASection));
        WriteNum(ASection, "LineCount", static_cast<std::int64_t>(AValue.size()));
        for (std::size_t i = 0; i < AValue.size(); ++i)
            WriteString(ASection, "Line" + std::to_string(i), AValue[i]);
        for (std::int64_t i = static_cast<std::int64_t>(AValue.size()); i < oldCount; ++i)
            DeleteValue(ASection, "Line" + std::to_string(i));
        return;
    }
    if (!ValueExists(ASection, "LineCount"))
        return;
    const std::int64_t count =
        std::clamp<std::int64_t>(ReadNum(ASection, "LineCount", 0), 0, SectionKeyCount(ASection));
    AValue.clear();
    for (std::int64_t i = 0; i < count; ++i)
        AValue.push_back(ReadString(ASection, "Line" + std::to_string(i)));
}

void TKvIniFile::RWArgument(std::string_view ASection, bool ASave, TCustomArgument& AArgument) {
    if (ASave) {
        WriteString(ASection, AArgument.Shortcut(), AArgument.GetValueAsString());
        return;
    }
    AArgument.SetDefault();
    if (ValueExists(ASection, AArgument.Shortcut()))
        AArgument.SetValueFromString(ReadString(ASection, AArgument.Shortcut()));
}

void TKvIniFile::RWArguments(bool ASave, TArguments& AArguments) {
    for (TCustomArgument* argument : AArguments.Items())
        RWArgument(AArguments.Name(), ASave, *argument);
}

void TKvIniFile::ReadAndIncrementOrWrite(std::string_view ASection, std::string_view AIdent,
                                         bool ASave, std::uint64_t& ACounter) {
    if (ASave)
        WriteNumU(ASection, AIdent, ACounter);
    else
        ACounter += ReadNumU(ASection, AIdent, 0);
}

void TKvIniFile::RegisterRW(const void* AOwner, TRWCallback ACallback) {
    if (IsLoggerFor(mlDebug))
        MainLog()->Add("RegisterRW", mlDebug);
    FRWList.emplace_back(AOwner, std::move(ACallback));
    FRWList.back().second(*this, false);
}

void TKvIniFile::UnregisterRW(const void* AOwner) {
    if (IsLoggerFor(mlDebug))
        MainLog()->Add("UnregisterRW", mlDebug);
    const auto found = std::find_if(FRWList.begin(), FRWList.end(),
                                    [&](const auto& entry) { return entry.first == AOwner; });
    if (found == FRWList.end())
        return;
    found->second(*this, true);
    FRWList.erase(found);
}

void TKvIniFile::ReadWrite(bool ASave) {
    if (!ASave) {
        FSections.clear();
        FInMemory = false;
    }
    for (auto& [owner, callback] : FRWList)
        callback(*this, ASave);
    if (ASave)
        Save();
}
