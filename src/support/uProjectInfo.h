#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum TProjectInfoName : std::uint8_t {
    piFileVersion,
    piFileDescription,
    piLegalCopyright,
    piCompanyName,
    piInternalName,
    piLegalTrademarks,
    piOriginalFilename,
    piProductName,
    piProductVersion,
    piAuthor,
    piEMail,
    piRelease,
    piWeb
};
inline constexpr std::array<std::string_view, 13> ProjectInfoKeyNames = {"FileVersion",
                                                                         "FileDescription",
                                                                         "LegalCopyright",
                                                                         "CompanyName",
                                                                         "InternalName",
                                                                         "LegalTrademarks",
                                                                         "OriginalFilename",
                                                                         "ProductName",
                                                                         "ProductVersion",
                                                                         "Author",
                                                                         "EMail",
                                                                         "Release",
                                                                         "Web"};
static_assert(ProjectInfoKeyNames.size() == piWeb + 1);

// "EMail" -> "E Mail", "LegalCopyright" -> "Legal Copyright", "Fatal_Error" -> "Fatal Error".
std::string IdentifierToWords(std::string_view AIdentifier);

// The version record as it is stored: raw entries and the file-flag bits.
struct TVersionRecord {
    std::array<std::string, 13> Entries;
    std::uint32_t               FileFlags = 0;
};

// The program's identity, read once from the version record generated at build time.
class TProjectInfo final {
public:
    // Reads ARecord as the version resource would be read; AApplicationFileName names the
    // executable for the internal-name fall-back.
    TProjectInfo(const TVersionRecord& ARecord, std::string AApplicationFileName);

    std::string GetProjectInfo(TProjectInfoName AName) const { return FProjectInfoNames[AName]; }
    void        SetProjectInfo(TProjectInfoName AName, std::string AValue);
    // Build-stage suffix: "pre-α", "α", "β", then " patched", " private", " debug".
    std::string GetSuffix() const;
    // Fills empty internal and company names and shortens the product version ("1.0.0.0" -> "1").
    void Complete();

    bool Debug() const { return FDebug; }
    bool PreRelease() const { return FPreRelease; }

private:
    std::string                 FApplicationFileName;
    std::array<std::string, 13> FProjectInfoNames;
    bool                        FDebug = false;
    bool                        FPreRelease = false;
    bool                        FPatched = false;
    bool                        FPrivateBuild = false;
    bool                        FInfoInferred = false;
    bool                        FSpecialBuild = false;
};

// The record generated from the build's identity.
TVersionRecord BuildVersionRecord();
// The single, completed instance.
TProjectInfo& ProjectInfo();
std::string   ProjectInfo(TProjectInfoName AName);
// Product name, blank, product version: "Kv Vexdra 1".
std::string EngineName();
