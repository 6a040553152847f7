#include "shell/uApplicationStatistics.h"

#include "../support/uTestFolder.h"
#include "support/uKvIniFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// Instances that end at the same moment each add their run: none overwrites another's count.
TEST(TApplicationStatistics, ConcurrentRunsAllCount) {
    TTestFolder       folder("statistics-concurrent");
    const std::string local = folder.File("local.ini");
    constexpr int     Instances = 8;
    int               barrier[2];
    ASSERT_EQ(pipe(barrier), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < Instances; ++i) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(barrier[1]);
            {
                TKvIniFile             ini(local);
                TApplicationStatistics statistics(&ini, nullptr);
                // All read the same stored count, then all store at once.
                char byte;
                while (read(barrier[0], &byte, 1) > 0) {
                }
            }
            _exit(0);
        }
        children.push_back(child);
    }
    close(barrier[0]);
    close(barrier[1]);
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TKvIniFile stored(local);
    EXPECT_EQ(stored.ReadNumU("Statistics", "RunCount", 0), std::uint64_t(Instances));
}

// A damaged or hand-edited count neither wraps nor starts over: it stays at the largest value.
TEST(TApplicationStatistics, CountsSaturate) {
    TTestFolder       folder("statistics-saturate");
    const std::string local = folder.File("local.ini");
    {
        TKvIniFile ini(local);
        ini.WriteString("Statistics", "RunCount", "18446744073709551615");
        ini.WriteString("Statistics", "ReadBytes", "99999999999999999999999");
    }
    {
        TKvIniFile             ini(local);
        TApplicationStatistics statistics(&ini, nullptr);
        EXPECT_EQ(statistics.RunCount(), UINT64_MAX);
    }
    TKvIniFile stored(local);
    EXPECT_EQ(stored.ReadString("Statistics", "RunCount"), "18446744073709551615");
    EXPECT_EQ(stored.ReadString("Statistics", "ReadBytes"), "18446744073709551615");
}
