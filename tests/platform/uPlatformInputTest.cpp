#include "platform/uPlatformInput.h"

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
