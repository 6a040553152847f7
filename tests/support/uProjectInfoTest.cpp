#include "support/uProjectInfo.h"

#include <gtest/gtest.h>

TEST(TProjectInfo, IdentifierToWords) {
    EXPECT_EQ(IdentifierToWords("EMail"), "E Mail");
    EXPECT_EQ(IdentifierToWords("LegalCopyright"), "Legal Copyright");
    EXPECT_EQ(IdentifierToWords("ProductVersion"), "Product Version");
    EXPECT_EQ(IdentifierToWords("UCIProtocol"), "UCI Protocol");
    EXPECT_EQ(IdentifierToWords("Fatal_Error"), "Fatal Error");
}

TEST(TProjectInfo, CompletesTheShippedRecord) {
    TProjectInfo info(BuildVersionRecord(), "/usr/bin/kvvexdra");
    info.Complete();
    EXPECT_EQ(info.GetProjectInfo(piFileVersion), "1.0.0.0");
    EXPECT_EQ(info.GetProjectInfo(piProductVersion), "1");
    EXPECT_EQ(info.GetProjectInfo(piCompanyName), "Mirelbo");
    EXPECT_EQ(info.GetProjectInfo(piInternalName), "KvVexdra");
    EXPECT_EQ(EngineName(), "Kv Vexdra 1");
}

TEST(TProjectInfo, ShortensVersionsByWholeZeroGroups) {
    struct TCase {
        const char* Stored;
        const char* Completed;
    };
    constexpr TCase Cases[] = {{"1.0.0.0", "1"},
                               {"2, 1, 0, 0", "2.1"},
                               {"10.0.0.0", "10"},
                               {"1.20.0.0", "1.20"},
                               {"0.0.0.0", "0"}};
    for (const auto& c : Cases) {
        TVersionRecord record;
        record.Entries[piProductVersion] = c.Stored;
        TProjectInfo info(record, "x");
        info.Complete();
        EXPECT_EQ(info.GetProjectInfo(piProductVersion), c.Completed) << c.Stored;
    }
}

TEST(TProjectInfo, FallsBackWithoutAVersionRecord) {
    TProjectInfo info(TVersionRecord{}, "/opt/tools/engine.bin");
    info.Complete();
    EXPECT_EQ(info.GetProjectInfo(piInternalName), "engine");
    EXPECT_EQ(info.GetProjectInfo(piCompanyName), "Unknown");
    EXPECT_EQ(info.GetProjectInfo(piProductName), "");
    TProjectInfo nameless(TVersionRecord{}, "");
    nameless.Complete();
    EXPECT_EQ(nameless.GetProjectInfo(piInternalName), "Unknown");
}

TEST(TProjectInfo, BuildFlagsGiveTheSuffix) {
    TVersionRecord record;
    record.Entries[piProductVersion] = "3.1.0.0";
    record.Entries[piFileVersion] = "7";
    record.FileFlags = 2 | 32 | 1; // pre-release, special build, debug
    TProjectInfo info(record, "x");
    info.Complete();
    EXPECT_EQ(info.GetProjectInfo(piProductVersion), "3.1pre-\u03B1 debug");
    EXPECT_EQ(info.GetProjectInfo(piFileVersion), "3.1.0.0.7");
}
