#include "protocols/xboard/uXBoardCommand.h"

#include "app/uConsoleEngine.h"
#include "uXBoardTestSupport.h"

#include <gtest/gtest.h>

using namespace xboardtest;

namespace {

// The console application with the test engine, switched to XBoard by the line "xboard".
class TXBoardCommandFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FApplication.Initialize();
        ASSERT_TRUE(FApplication.Initialized());
        FApplication.SetInternalEngine(&FEngine);
        FCommand = FApplication.Commands().FindByString("xboard");
        ASSERT_NE(dynamic_cast<TXBoardCommand*>(FCommand), nullptr);
        ASSERT_EQ(FApplication.Commands().FindByString("exit"), nullptr);
        FApplication.ProcessLine("xboard");
    }
    void TearDown() override { FApplication.SetInternalEngine(nullptr); }

    TConsoleEngine    FApplication;
    TXBoardTestEngine FEngine;
    TCustomCommand*   FCommand = nullptr;
};

} // namespace

TEST_F(TXBoardCommandFixture, SelectsTheProtocolOnce) {
    auto* protocol = dynamic_cast<TXBoardProtocol*>(FApplication.Protocol());
    ASSERT_NE(protocol, nullptr);
    auto* output = dynamic_cast<TXBoardEngineOutput*>(FEngine.Output());
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->InternalEngine(), &FEngine);
    EXPECT_EQ(output->AnalysisInfo(), &FEngine.AnalysisInfo());
    EXPECT_FALSE(FCommand->Enabled());
    try {
        FApplication.Commands().FindByStringException("xboard");
        ADD_FAILURE() << "xboard is still enabled";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Command XBoard is disabled.");
    }
    // The protocol's commands answer now; "exit" is the protocol's, off outside analyse mode.
    TCustomCommand* exit = FApplication.Commands().FindByString("exit");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit, protocol->ExitCommand());
    EXPECT_FALSE(exit->Enabled());
    FApplication.ProcessLine("force");
    FApplication.ProcessLine("usermove e2e4");
    FApplication.ProcessLine("e7e5");
    EXPECT_EQ(FEngine.FPlayed, std::vector<std::string>{"e2e4"});
    EXPECT_FALSE(protocol->AutoPlay());
}
