#include "app/uConsoleEngine.h"
#include "games/uGameVariants.h"
#include "protocols/uUCITestSupport.h"
#include "protocols/xboard/uXBoardTestSupport.h"
#include "support/uTextHelpers.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// Parameters that get each command past its own checks of the text, so that what it does
// without an engine shows; the other commands run without parameters.
const std::map<std::string, std::string> Parameters = {{"go", "depth 1"},
                                                       {"position", "startpos"},
                                                       {"setoption", "name Text value x"},
                                                       {"level", "40 5 0"},
                                                       {"st", "1"},
                                                       {"sd", "3"},
                                                       {"nps", "100"},
                                                       {"time", "100"},
                                                       {"otim", "100"},
                                                       {"usermove", "e2e4"},
                                                       {"variant", "chess"},
                                                       {"setboard", "8/8/8/8/8/8/8/8 w - - 0 1"},
                                                       {"exclude", "e2e4"},
                                                       {"include", "e2e4"},
                                                       {"option", "Text=x"},
                                                       {"rating", "2000 2000"},
                                                       {"ping", "1"},
                                                       {"result", "1-0"},
                                                       {"protover", "2"},
                                                       {"debug", "on"},
                                                       {"perft", "1"},
                                                       {"benchmark", "basic"},
                                                       {"gameover", "win"},
                                                       {"memory", "64"}};

// The commands that only acknowledge what the front end tells them, or only change the
// protocol's play state, and never touch the engine.
const std::set<std::string> EngineFreeCommands = {"accepted", "rejected", "name",  "ics",
                                                  "computer", "gameover", "force", "playother"};

// The console switched into a protocol on an engine that then goes away: every command that
// reaches for the engine must say so with "No engine.", none may stay silent or crash.
template <class TEngine>
void ExpectEveryCommandRefusesWithoutEngine(
    std::string_view AProtocol, const std::map<std::string, std::string>& AOwnParameters) {
    SCOPED_TRACE(std::string(AProtocol));
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    TConsoleEngine application;
    TEngine        engine;
    application.Initialize();
    ASSERT_TRUE(application.Initialized());
    application.SetInternalEngine(&engine);
    application.ProcessLine(AProtocol);
    ASSERT_NE(application.Protocol(), nullptr);

    application.Protocol()->SetInternalEngine(nullptr);
    std::vector<TCustomCommand*> commands;
    for (int i = 0; i < application.Commands().Count(); ++i) {
        TCustomCommand& command = application.Commands().Get(i);
        if (auto* engineAware = dynamic_cast<IEngineAware*>(&command)) {
            engineAware->SetInternalEngine(nullptr);
            commands.push_back(&command);
        }
    }
    // The diagnostics and the protocol's own commands are all there.
    ASSERT_GT(commands.size(), 10u);

    int refused = 0;
    for (TCustomCommand* command : commands) {
        const std::string name = LowerCase(command->Shortcut());
        SCOPED_TRACE(name);
        std::string parameters;
        if (const auto own = AOwnParameters.find(name); own != AOwnParameters.end())
            parameters = own->second;
        else if (const auto found = Parameters.find(name); found != Parameters.end())
            parameters = found->second;
        std::string message;
        try {
            command->Execute(parameters);
        } catch (const std::exception& e) {
            message = e.what();
        }
        if (EngineFreeCommands.contains(name)) {
            EXPECT_EQ(message, "");
        } else if (dynamic_cast<TUnsupportedCommand*>(command) != nullptr) {
            EXPECT_EQ(message, command->Shortcut() + " command is not supported.");
        } else {
            EXPECT_EQ(message, "No engine.");
            ++refused;
        }
    }
    EXPECT_GT(refused, 5);
    application.SetInternalEngine(nullptr);
}

} // namespace

TEST(MissingEngine, EveryCommandOfEveryProtocolRefusesAlike) {
    ExpectEveryCommandRefusesWithoutEngine<TUCITestEngine>("uci", {});
    ExpectEveryCommandRefusesWithoutEngine<TUCITestEngine>("usi", {});
    // XBoard's go takes no parameters.
    ExpectEveryCommandRefusesWithoutEngine<xboardtest::TXBoardTestEngine>("xboard", {{"go", ""}});
}

TEST(MissingEngine, ProtocolSelectionRefusesAndTheConsoleGoesOn) {
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    for (const char* protocol : {"uci", "usi", "xboard"}) {
        SCOPED_TRACE(protocol);
        TConsoleEngine application;
        TUCITestEngine engine;
        application.Initialize();
        application.SetInternalEngine(&engine);
        application.SetInternalEngine(nullptr);
        TCustomCommand* command = application.Commands().FindByString(protocol);
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(RunLineError(application.Commands(), protocol), "No engine.");
        // The console reports the failure as that command's error and stays in its own mode.
        application.ProcessLine(protocol);
        EXPECT_EQ(application.Protocol(), nullptr);
        EXPECT_TRUE(command->Enabled());
    }
}
