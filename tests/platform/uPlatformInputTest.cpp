#include "platform/uPlatformInput.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Standard input replaced by a pipe for the life of the fixture.
class TStandardInputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(pipe(FPipe), 0);
        FSavedInput = dup(STDIN_FILENO);
        ASSERT_GE(FSavedInput, 0);
        ASSERT_GE(dup2(FPipe[0], STDIN_FILENO), 0);
        close(FPipe[0]);
    }
    void TearDown() override {
        if (FWriter.joinable())
            FWriter.join();
        dup2(FSavedInput, STDIN_FILENO);
        close(FSavedInput);
    }
    // Writes the text from another thread (a pipe holds far less), then closes the pipe.
    void Send(std::string AText) {
        FWriter = std::thread([this, text = std::move(AText)] {
            std::size_t sent = 0;
            while (sent < text.size()) {
                const ssize_t done = write(FPipe[1], text.data() + sent, text.size() - sent);
                if (done <= 0)
                    break;
                sent += static_cast<std::size_t>(done);
            }
            close(FPipe[1]);
        });
    }

    int         FPipe[2] = {-1, -1};
    int         FSavedInput = -1;
    std::thread FWriter;
};

} // namespace

TEST_F(TStandardInputFixture, CutsAnOverlongLineAndKeepsTheNext) {
    constexpr std::size_t Maximal = TStandardInputReader::MaximalLineLength;
    Send("first\n" + std::string(Maximal + 100000, 'x') + "\nisready\nlast");
    TStandardInputReader reader;
    std::string          line;
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "first");
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, std::string(Maximal, 'x'));
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "isready");
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(reader.ReadLine(line), rrEndOfInput);
}

namespace {

std::string WriteTemporaryFile(const std::string& AName, const std::string& AText) {
    const std::string name = ::testing::TempDir() + AName + std::to_string(getpid());
    FILE*             file = std::fopen(name.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file != nullptr) {
        std::fwrite(AText.data(), 1, AText.size(), file);
        std::fclose(file);
    }
    return name;
}

} // namespace

// A file is read by the rules of standard input, then standard input takes over.
TEST_F(TStandardInputFixture, ReadsAFileFirstThenStandardInput) {
    constexpr std::size_t Maximal = TStandardInputReader::MaximalLineLength;
    const std::string     name =
        WriteTemporaryFile("kv-startup", "one\r\n" + std::string(Maximal + 70000, 'y') + "\ntwo");
    Send("from input\n");
    TStandardInputReader reader;
    ASSERT_EQ(reader.OpenFile(name), "");
    EXPECT_TRUE(reader.ReadsFile());
    std::string line;
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "one\r"); // CR is the application's to strip, as on standard input
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, std::string(Maximal, 'y'));
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "two");
    EXPECT_EQ(reader.ReadLine(line), rrEndOfInput);
    reader.UseStandardInput();
    EXPECT_FALSE(reader.ReadsFile());
    ASSERT_EQ(reader.ReadLine(line), rrLine);
    EXPECT_EQ(line, "from input");
    EXPECT_EQ(reader.ReadLine(line), rrEndOfInput);
    std::remove(name.c_str());
}

TEST(TStandardInputReader, NamesWhyAFileCannotBeRead) {
    const std::string folder = ::testing::TempDir();
    const std::string dangling = folder + "kv-dangling" + std::to_string(getpid());
    ASSERT_EQ(symlink((folder + "kv-nothing-here").c_str(), dangling.c_str()), 0);
    struct TCase {
        std::string Name;
        const char* Error;
    };
    const TCase Cases[] = {
        {folder + "kv-no-such-file", "No such file or directory"},
        {dangling, "No such file or directory"},
        {folder, "Is a directory"},
        {"", "no file name given"},
    };
    TStandardInputReader reader;
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(reader.OpenFile(c.Name), c.Error);
        EXPECT_FALSE(reader.ReadsFile());
    }
    unlink(dangling.c_str());
}
