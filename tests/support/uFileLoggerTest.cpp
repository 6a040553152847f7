#include "support/uFileLogger.h"

#include "platform/uPlatformFiles.h"
#include "support/uExceptions.h"
#include "support/uTestFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& AFileName) {
    std::ifstream     file(AFileName, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

constexpr const char* Header = "\xEF\xBB\xBF;Local Date Time\tType\tMessage\r\n";

} // namespace

TEST(TFileLogger, FormatsOneLinePerMessage) {
    const std::string line =
        TFileLogger::FormatLine("a\nb\tc\\d\x1b", mlWarning, TLogTime{0, 1234});
    // The date and time are local; the rest is fixed.
    EXPECT_EQ(line.substr(19), ".000001234\tW\ta\\nb\\tc\\\\d\\e\r\n");
    EXPECT_EQ(line[4], '-');
    EXPECT_EQ(line[10], ' ');
    EXPECT_EQ(TFileLogger::FormatLine("x", mlFatalError, {}).substr(29), "\tF\tx\r\n");
}

TEST(TFileLogger, WritesHeaderOnceAndFiltersByLevel) {
    TTestFolder       folder("log");
    const std::string name = folder.File("a.log");
    {
        TFileLogger log(name);
        log.Log(mlDebug, "hidden");
        log.Log(mlInformation, "shown");
    }
    {
        TFileLogger log(name);
        log.SetLoggingLevel(mlDebug);
        log.Log(mlDebug, "debug");
    }
    const std::string text = ReadAll(name);
    EXPECT_EQ(text.rfind(Header, 0), 0u);
    EXPECT_EQ(text.find(Header, 1), std::string::npos);
    EXPECT_EQ(text.find("hidden"), std::string::npos);
    EXPECT_NE(text.find("\tI\tshown\r\n"), std::string::npos);
    EXPECT_NE(text.find("\tD\tdebug\r\n"), std::string::npos);
}

TEST(TFileLogger, ArchivesAFileOfTheMinimumSizeWhenOpened) {
    TTestFolder       folder("logarchive");
    const std::string big = folder.File("big.log");
    const std::string small = folder.File("small.log");
    std::ofstream(big, std::ios::binary) << std::string(4194304, 'x');
    std::ofstream(small, std::ios::binary) << std::string(4194303, 'x');
    {
        TFileLogger bigLog(big);
        TFileLogger smallLog(small);
        bigLog.Log(mlInformation, "new");
        smallLog.Log(mlInformation, "appended");
    }
    EXPECT_EQ(ReadAll(big).rfind(Header, 0), 0u);
    EXPECT_LT(std::filesystem::file_size(big), 200u);
    int archives = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        if (entry.path().filename().string().rfind("big (", 0) == 0) {
            ++archives;
            EXPECT_EQ(std::filesystem::file_size(entry.path()), 4194304u);
        }
    EXPECT_EQ(archives, 1);
    const std::string kept = ReadAll(small);
    EXPECT_EQ(kept.size() > 4194303 && kept.find("appended") != std::string::npos, true);
}

TEST(TFileLogger, StopsForTheRunAtTheMaximumSize) {
    TTestFolder       folder("logmax");
    const std::string name = folder.File("max.log");
    TFileLogger       log(name);
    log.SetMinLogFileSize(1 << 30);
    log.SetMaxLogFileSize(200);
    log.Log(mlInformation, "first");
    log.Log(mlInformation, std::string(100, 'y'));
    log.Log(mlInformation, "third");
    EXPECT_EQ(log.LoggingLevel(), mlNone);
    const std::string text = ReadAll(name);
    EXPECT_NE(text.find("first"), std::string::npos);
    EXPECT_EQ(text.find("yyy"), std::string::npos);
    EXPECT_EQ(text.find("third"), std::string::npos);
    EXPECT_LE(text.size(), 200u);
}

TEST(TFileLogger, FallsBackToANumberedNameWhileAnotherHoldsTheFile) {
    TTestFolder       folder("loglock");
    const std::string name = folder.File("busy.log");
    TLockedAppendFile holder;
    ASSERT_TRUE(holder.Open(name));
    TFileLogger log(name);
    EXPECT_EQ(log.FileName(), folder.File("busy-1.log"));
    TFileLogger second(name);
    EXPECT_EQ(second.FileName(), folder.File("busy-2.log"));
}

TEST(TFileLogger, RefusesAFolderThatCannotHoldIt) {
    try {
        TFileLogger log("/proc/kvvexdra-none/x.log");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Can not create logger file \"/proc/kvvexdra-none/x.log\"");
    }
}

// A link in the log's place would make the log append to whatever it points to: the logger
// refuses it and leaves the target alone; the files it makes are the user's alone.
TEST(TFileLogger, RefusesASymbolicLinkAndCreatesPrivateFiles) {
    TTestFolder       folder("loglink");
    const std::string target = folder.File("target.txt");
    std::ofstream(target) << "untouched\n";
    const std::string link = folder.File("linked.log");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    try {
        TFileLogger log(link);
        ADD_FAILURE() << "a link was used";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Logger file \"" + link + "\" is a symbolic link; it is not used");
    }
    std::ifstream     kept(target);
    std::stringstream text;
    text << kept.rdbuf();
    EXPECT_EQ(text.str(), "untouched\n");
    // A link that appears under a fallback name is skipped the same way.
    TLockedAppendFile file;
    EXPECT_FALSE(file.Open(link));
    const std::string created = folder.File("new.log");
    {
        TFileLogger log(created);
        log.Add("line", mlError);
    }
    struct stat info {};
    ASSERT_EQ(stat(created.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(TLogger, LevelFromTheEnvironmentText) {
    struct TCase {
        const char*   Text;
        TMessageLevel Level;
    };
    constexpr TCase Cases[] = {{"0", mlNone},
                               {"00", mlNone},
                               {"debug", mlDebug},
                               {"DEBUG", mlDebug},
                               {"Warning", mlWarning},
                               {"error", mlError},
                               {"Fatal Error", mlDebug},
                               {"misspelt", mlDebug},
                               {"d", mlDebug},
                               {"none", mlNone},
                               {"information", mlInformation}};
    for (const auto& c : Cases)
        EXPECT_EQ(LoggingLevelFromText(c.Text), c.Level) << c.Text;
}
