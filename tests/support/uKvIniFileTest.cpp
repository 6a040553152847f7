#include "support/uKvIniFile.h"

#include "support/uEscapedText.h"
#include "support/uExceptions.h"
#include "support/uTestFolder.h"
#include "support/uTextMacro.h"

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

} // namespace

TEST(TKvIniFile, ReadsNumbersByTheLeadingInteger) {
    TKvIniFile ini;
    ini.SetText("[S]\nA=1,234\nB=-+-5\nC=\nD=x7\nE=  -12abc\nF=--3");
    EXPECT_EQ(ini.ReadNum("S", "A", 9), 1234);
    EXPECT_EQ(ini.ReadNum("S", "B", 9), 5);
    EXPECT_EQ(ini.ReadNum("S", "C", 9), 9);
    EXPECT_EQ(ini.ReadNum("S", "D", 9), 0);
    EXPECT_EQ(ini.ReadNum("S", "E", 9), -12);
    EXPECT_EQ(ini.ReadNum("S", "F", 9), 3);
    EXPECT_EQ(ini.ReadNum("S", "Missing", 9), 9);
    EXPECT_TRUE(ini.ReadBool("S", "A", false));
}

TEST(TKvIniFile, NamesAreCaseSensitiveAndKeepTheirOrder) {
    TKvIniFile ini;
    ini.SetText("orphan=1\n[Statistics]\nb=2\na=1\n;note\n[statistics]\nb=3\n[Statistics]\nb=4");
    EXPECT_EQ(ini.ReadString("Statistics", "b"), "2"); // the first of duplicate sections
    EXPECT_EQ(ini.ReadString("statistics", "b"), "3");
    EXPECT_FALSE(ini.ValueExists("Statistics", "B"));
    EXPECT_EQ(ini.ReadSection("Statistics"), (std::vector<std::string>{"b=2", "a=1", ";note="}));
    EXPECT_EQ(ini.SectionCount(), 3);
    // Lines before the first section are not kept.
    EXPECT_EQ(ini.AsString(), "\r\n[Statistics]\r\nb=2\r\na=1\r\n;note=\r\n\r\n[statistics]\r\n"
                              "b=3\r\n\r\n[Statistics]\r\nb=4\r\n");
}

TEST(TKvIniFile, SavesOnlyWhenTheBytesChange) {
    TTestFolder       folder("ini");
    const std::string name = folder.File("a.ini");
    {
        TKvIniFile ini(name);
        ini.WriteNum("Statistics", "RunCount", 1);
        ini.WriteString("Statistics", "Version", "1");
    } // saved at destruction
    EXPECT_EQ(ReadAll(name), "\r\n[Statistics]\r\nRunCount=1\r\nVersion=1\r\n");
    struct stat before {};
    stat(name.c_str(), &before);
    {
        TKvIniFile ini(name);
        ini.WriteNum("Statistics", "RunCount", 1); // same value: same bytes
        EXPECT_FALSE(ini.FileSaved());
        EXPECT_TRUE(ini.Save());
    }
    struct stat after {};
    stat(name.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino); // the file was not replaced
    {
        TKvIniFile ini(name);
        ini.WriteNum("Statistics", "RunCount", 2);
    }
    EXPECT_EQ(ReadAll(name), "\r\n[Statistics]\r\nRunCount=2\r\nVersion=1\r\n");
}

TEST(TKvIniFile, ReadsAFileWithByteOrderMarkAndCrLf) {
    TTestFolder       folder("inibom");
    const std::string name = folder.File("b.ini");
    std::ofstream(name, std::ios::binary) << "\xEF\xBB\xBF\r\n[Main]\r\nKey=Value=x\r\n";
    TKvIniFile ini(name);
    EXPECT_EQ(ini.ReadString("Main", "Key"), "Value=x");
}

TEST(TKvIniFile, StringListsDropStaleLines) {
    TKvIniFile               ini;
    std::vector<std::string> lines = {"a", "b", "c"};
    ini.RWStrings("L", true, lines);
    lines = {"x"};
    ini.RWStrings("L", true, lines);
    EXPECT_EQ(ini.ReadSection("L"), (std::vector<std::string>{"LineCount=1", "Line0=x"}));
    std::vector<std::string> read = {"default"};
    ini.RWStrings("L", false, read);
    EXPECT_EQ(read, (std::vector<std::string>{"x"}));
}

TEST(TKvIniFile, StringListsWithADamagedCountStayWithinTheSection) {
    // A count of a trillion lines neither fills memory on reading nor loops on saving.
    TKvIniFile ini;
    ini.SetText("[L]\nLineCount=1000000000000\nLine0=a\nLine1=b\n");
    std::vector<std::string> read;
    ini.RWStrings("L", false, read);
    EXPECT_EQ(read, (std::vector<std::string>{"a", "b", ""}));
    std::vector<std::string> lines = {"x"};
    ini.RWStrings("L", true, lines);
    EXPECT_EQ(ini.ReadSection("L"), (std::vector<std::string>{"LineCount=1", "Line0=x"}));
}

TEST(TKvIniFile, MultilineValuesRoundTrip) {
    TKvIniFile  ini;
    std::string text = "line 1\r\n\tline 2 \\ end\x1b\a";
    ini.RWMultilineString("S", "T", true, text);
    EXPECT_EQ(ini.ReadString("S", "T"), "line 1\\r\\n\\tline 2 \\\\ end\\e\\a");
    std::string back;
    ini.RWMultilineString("S", "T", false, back);
    EXPECT_EQ(back, text);
}

TEST(TKvIniFile, RegisteredOwnersLoadAtOnceAndSaveWhenUnregistered) {
    TKvIniFile ini;
    ini.SetText("[Owner]\nCount=5");
    std::uint64_t counter = 10;
    const int     owner = 0;
    ini.RegisterRW(&owner, [&](TKvIniFile& AIni, bool ASave) {
        AIni.ReadAndIncrementOrWrite("Owner", "Count", ASave, counter);
    });
    EXPECT_EQ(counter, 15u);
    counter = 99;
    ini.UnregisterRW(&owner);
    EXPECT_EQ(ini.ReadNum("Owner", "Count", 0), 99);
}

TEST(TEscapedText, ReadsEveryEscapeForm) {
    using namespace std::string_view_literals;
    struct TCase {
        std::string_view Escaped;
        std::string_view Text;
    };
    constexpr TCase Cases[] = {
        {"a\\tb"sv, "a\tb"sv},   {"\\E\\e"sv, "\x1b\x1b"sv}, {"\\\"\\'\\?"sv, "\"'?"sv},
        {"\\101\\0"sv, "A\0"sv}, {"\\x41\\x7"sv, "A\x07"sv}, {"\\u00e9"sv, "\u00e9"sv},
        {"\\q"sv, "q"sv},        {"end\\"sv, "end\\"sv},     {"\\\\n"sv, "\\n"sv},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(UnescapeText(c.Escaped), c.Text) << c.Escaped;
}

TEST(TTextMacro, ReplacesKnownVariables) {
    TTextMacro macro;
    macro.Add("HOME", "/home/u");
    EXPECT_EQ(macro.RemoveVariables("%HOME%/cmds.txt"), "/home/u/cmds.txt");
    EXPECT_EQ(macro.RemoveVariables("100%"), "100%");
    try {
        macro.RemoveVariables("%home%");
        FAIL();
    } catch (const EArgumentException& e) {
        EXPECT_STREQ(e.what(), "Variable home not found.");
    }
    macro.SetCaseSensitive(false);
    macro.SetRaiseErrorIfVariableNotFound(false);
    EXPECT_EQ(macro.RemoveVariables("%home%:%NONE%:x"), "/home/u:%NONE%:x");
}

TEST(TKvIniFile, CountersSaturateInsteadOfWrapping) {
    struct TCase {
        const char*   Text;
        std::uint64_t Value;
        bool          Saturated;
    };
    constexpr TCase Cases[] = {
        {"18446744073709551615", UINT64_MAX, false},
        {"18446744073709551616", UINT64_MAX, true},
        {"99999999999999999999999999", UINT64_MAX, true},
        {"1,844,674,407,370,955,161,6", UINT64_MAX, true},
        {"-5", 0, true},
        {"--5", 5, false},
        {"-0", 0, false},
        {"1,234", 1234, false},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Text);
        bool saturated = !c.Saturated;
        EXPECT_EQ(IniTextToUInt(c.Text, saturated), c.Value);
        EXPECT_EQ(saturated, c.Saturated);
        TKvIniFile ini;
        ini.SetText(std::string("[S]\nN=") + c.Text);
        EXPECT_EQ(ini.ReadNumU("S", "N", 7), c.Value);
    }
}

// The file is replaced as a whole, by a file of the user's alone; a link in its place is neither
// read nor written through.
TEST(TKvIniFile, SavesPrivateFilesAndNeverReadsThroughALink) {
    TTestFolder       folder("ini-link");
    const std::string target = folder.File("target.ini");
    {
        std::ofstream file(target);
        file << "[Statistics]\nRunCount=5\n";
    }
    const std::string link = folder.File("linked.ini");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    TKvIniFile linked(link);
    EXPECT_FALSE(linked.ValueExists("Statistics", "RunCount"));
    linked.WriteNum("Statistics", "RunCount", 1);
    ASSERT_TRUE(linked.Save());
    EXPECT_EQ(ReadAll(target), "[Statistics]\nRunCount=5\n");
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode)); // the link itself was replaced
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}
