#include "support/uProjectInfo.h"

#include "platform/uPlatformSystem.h"
#include "support/uTextHelpers.h"
#include "uProjectInfoData.h"

std::string IdentifierToWords(std::string_view AIdentifier) {
    std::string text(AIdentifier);
    for (char& c : text)
        if (c == '_')
            c = ' ';
    auto        isLower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto        isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && isUpper(text[i])) {
            const char before = text[i - 1];
            const bool afterLower = i + 1 < text.size() && isLower(text[i + 1]);
            if (isLower(before) || (isUpper(before) && afterLower))
                result += ' ';
        }
        result += text[i];
    }
    return result;
}

TProjectInfo::TProjectInfo(const TVersionRecord& ARecord, std::string AApplicationFileName)
    : FApplicationFileName(std::move(AApplicationFileName)) {
    FProjectInfoNames = ARecord.Entries;
    if (FProjectInfoNames[piFileVersion] == "0.0.0.0")
        FProjectInfoNames[piFileVersion] = "N/A";
    FDebug = (ARecord.FileFlags & 1) != 0;
    FPreRelease = (ARecord.FileFlags & 2) != 0;
    FPatched = (ARecord.FileFlags & 4) != 0;
    FPrivateBuild = (ARecord.FileFlags & 8) != 0;
    FInfoInferred = (ARecord.FileFlags & 16) != 0;
    FSpecialBuild = (ARecord.FileFlags & 32) != 0;
    FProjectInfoNames[piProductVersion] =
        ReplaceAll(FProjectInfoNames[piProductVersion], ", ", ".");
    const std::string& fileVersion = FProjectInfoNames[piFileVersion];
    const std::string& productVersion = FProjectInfoNames[piProductVersion];
    if (fileVersion.find('.') == std::string::npos &&
        productVersion.find('.') != std::string::npos) {
        std::string combined = productVersion;
        combined += '.';
        combined += fileVersion;
        FProjectInfoNames[piFileVersion] = std::move(combined);
    }
}

void TProjectInfo::SetProjectInfo(TProjectInfoName AName, std::string AValue) {
    FProjectInfoNames[AName] = std::move(AValue);
}

std::string TProjectInfo::GetSuffix() const {
    std::string suffix;
    if (FPreRelease && FSpecialBuild)
        suffix = "pre-\u03B1";
    else if (FPreRelease)
        suffix = "\u03B1";
    else if (FSpecialBuild)
        suffix = "\u03B2";
    if (FPatched)
        suffix += " patched";
    if (FPrivateBuild)
        suffix += " private";
    if (FDebug)
        suffix += " debug";
    return suffix;
}

void TProjectInfo::Complete() {
    if (FProjectInfoNames[piInternalName].empty()) {
        std::string       name = FApplicationFileName;
        const std::size_t slash = name.find_last_of("/\\");
        if (slash != std::string::npos)
            name = name.substr(slash + 1);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0)
            name = name.substr(0, dot);
        FProjectInfoNames[piInternalName] = name.empty() ? "Unknown" : name;
    }
    if (FProjectInfoNames[piCompanyName].empty())
        FProjectInfoNames[piCompanyName] = "Unknown";
    // Trailing zero groups go ("1.0.0.0" -> "1", "2.1.0.0" -> "2.1"), but a number that ends in
    // zero keeps it ("10.0" -> "10", not "1").
    std::string& version = FProjectInfoNames[piProductVersion];
    while (true) {
        while (!version.empty() && (version.back() == ',' || version.back() == '.'))
            version.pop_back();
        const std::size_t separator = version.find_last_of(".,");
        if (separator == std::string::npos)
            break;
        const std::string group = version.substr(separator + 1);
        if (group.find_first_not_of('0') != std::string::npos)
            break;
        version.erase(separator);
    }
    version += GetSuffix();
}

TVersionRecord BuildVersionRecord() {
    TVersionRecord record;
    record.Entries = {ProjectInfoData::FileVersion,
                      ProjectInfoData::FileDescription,
                      ProjectInfoData::LegalCopyright,
                      ProjectInfoData::CompanyName,
                      ProjectInfoData::InternalName,
                      ProjectInfoData::LegalTrademarks,
                      ProjectInfoData::OriginalFilename,
                      ProjectInfoData::ProductName,
                      ProjectInfoData::ProductVersion,
                      ProjectInfoData::Author,
                      ProjectInfoData::EMail,
                      ProjectInfoData::Release,
                      ProjectInfoData::Web};
    record.FileFlags = ProjectInfoData::FileFlags;
    return record;
}

TProjectInfo& ProjectInfo() {
    static TProjectInfo info = [] {
        TProjectInfo result(BuildVersionRecord(), ExecutablePath());
        result.Complete();
        return result;
    }();
    return info;
}

std::string ProjectInfo(TProjectInfoName AName) {
    return ProjectInfo().GetProjectInfo(AName);
}

std::string EngineName() {
    return ProjectInfo(piProductName) + " " + ProjectInfo(piProductVersion);
}
