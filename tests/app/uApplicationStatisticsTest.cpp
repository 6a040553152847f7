#include "app/uApplicationStatistics.h"

#include "../support/uTestFolder.h"
#include "support/uKvIniFile.h"

#include <gtest/gtest.h>

TEST(TApplicationStatistics, CountsRunsInTheLocalFile) {
    TTestFolder       folder("statistics");
    const std::string local = folder.File("local.ini");
    const std::string main = folder.File("main.ini");
    for (std::uint64_t run = 1; run <= 2; ++run) {
        TKvIniFile localIni(local);
        TKvIniFile mainIni(main);
        mainIni.WriteString("Statistics", "RunCount", "77"); // an outdated copy
        mainIni.WriteString("Other", "Key", "kept");
        {
            TApplicationStatistics statistics(&localIni, &mainIni);
            EXPECT_EQ(statistics.RunCount(), run);
            EXPECT_EQ(statistics.RunFirstTime(), run == 1);
        }
        EXPECT_FALSE(mainIni.SectionExists("Statistics"));
        EXPECT_EQ(mainIni.ReadString("Other", "Key"), "kept");
    }
    TKvIniFile stored(local);
    EXPECT_EQ(stored.ReadNum("Statistics", "RunCount", 0), 2);
    EXPECT_EQ(stored.ReadString("Statistics", "Version"), "1");
    for (const char* key : {"RunTime", "ReadCount", "ReadBytes", "WriteCount", "WriteBytes"})
        EXPECT_TRUE(stored.ValueExists("Statistics", key)) << key;
    EXPECT_GT(stored.ReadNum("Statistics", "WriteCount", 0), 0);
}

TEST(TApplicationStatistics, WorksWithoutFiles) {
    TApplicationStatistics statistics(nullptr, nullptr);
    EXPECT_EQ(statistics.RunCount(), 1u);
    EXPECT_TRUE(statistics.RunFirstTime());
}
