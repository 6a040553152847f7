#include "shell/uCustomCommand.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

namespace {

class TProbeCommand final : public TSimpleCommand {
public:
    explicit TProbeCommand(std::string_view AClassName) : TSimpleCommand(AClassName) {}
    int Runs = 0;

protected:
    void ExecuteNoParam() override { ++Runs; }
};

class TLegacyCommand final : public TUnsupportedCommand {
public:
    TLegacyCommand() : TUnsupportedCommand("TLegacyCommand") {}
    std::string GetSyntax() const override { return "<n>"; }
};

std::string ParseMessage(const TCommands& ACommands, std::string_view AName) {
    try {
        ACommands.FindByStringException(AName);
    } catch (const Exception& e) {
        return e.what();
    }
    return "found";
}

} // namespace

TEST(TCustomCommand, DerivesItsNameFromTheClassName) {
    struct TCase {
        const char* ClassName;
        const char* Shortcut;
    };
    constexpr TCase Cases[] = {{"TQuitCommand", "Quit"}, {"TUCICommand", "UCI"},
                               {"TOTimCommand", "OTim"}, {"TShowBoardCommand", "ShowBoard"},
                               {"Tcommand", "command"},  {"TCommandX", "CommandX"},
                               {"XCommand", "X"},        {"T", ""}};
    for (const auto& c : Cases)
        EXPECT_EQ(TCustomCommand::ShortcutFromClassName(c.ClassName), c.Shortcut) << c.ClassName;
}

TEST(TCommands, FindsNamesIgnoringCaseAndReportsUnknownOrDisabledOnes) {
    TCommands commands;
    auto&     quit = commands.AddCommand(std::make_unique<TProbeCommand>("TQuitCommand"));
    commands.AddCommand(std::make_unique<TProbeCommand>("TAboutCommand"));
    for (const char* name : {"quit", "QUIT", "Quit"})
        EXPECT_EQ(commands.FindByString(name), &quit) << name;
    EXPECT_EQ(commands.FindByString("qui"), nullptr);
    EXPECT_EQ(ParseMessage(commands, "foo"),
              "Parse: 'Valid command' expected but token 'foo' found.");
    EXPECT_EQ(ParseMessage(commands, ""), "Parse: 'Valid command' expected but token '' found.");
    commands.Disable(quit);
    EXPECT_EQ(commands.FindByString("quit"), &quit); // disabled commands are still found
    EXPECT_EQ(ParseMessage(commands, "quit"), "Command Quit is disabled.");
}

TEST(TCommands, RegisteredBlanksAreIgnoredButQueriedBlanksAreNot) {
    TCommands commands;
    auto&     spaced = commands.AddCommand(std::make_unique<TProbeCommand>("TProbe"));
    spaced.SetShortcut("Show Board");
    EXPECT_EQ(commands.FindByString("showboard"), &spaced);
    EXPECT_EQ(commands.FindByString("show board"), nullptr);
}

TEST(TCommands, FirstRegisteredNamesakeWinsUntilDeleted) {
    TCommands commands;
    commands.AddCommand(std::make_unique<TProbeCommand>("TAlphaCommand"));
    auto& first = commands.AddCommand(std::make_unique<TProbeCommand>("TGoCommand"));
    commands.AddCommand(std::make_unique<TProbeCommand>("TBetaCommand"));
    auto& second = commands.AddCommand(std::make_unique<TProbeCommand>("TGOCommand"));
    EXPECT_EQ(commands.FindByString("go"), &first);
    commands.Delete(first);
    EXPECT_EQ(commands.FindByString("go"), &second);
    EXPECT_EQ(commands.Count(), 3);
}

TEST(TCommands, DeleteAndDisableRefuseUnregisteredCommands) {
    TCommands     commands;
    TProbeCommand stranger("TStrangerCommand");
    try {
        commands.Delete(stranger);
        FAIL();
    } catch (const EArgumentException& e) {
        EXPECT_STREQ(e.what(),
                     "Can not delete command \"Stranger\" because not found in command list.");
    }
    try {
        commands.Disable(stranger);
        FAIL();
    } catch (const EArgumentException& e) {
        EXPECT_STREQ(e.what(),
                     "Can not disable command \"Stranger\" because not found in command list.");
    }
}

TEST(TSimpleCommand, RefusesParametersButCountsTheCall) {
    TProbeCommand probe("TProbeCommand");
    EXPECT_THROW(probe.Execute("x"), EArgumentException);
    EXPECT_EQ(probe.Runs, 0);
    EXPECT_EQ(probe.ExecuteCount(), 1);
    probe.Execute("");
    EXPECT_EQ(probe.Runs, 1);
    EXPECT_EQ(probe.ExecuteCount(), 2);
    try {
        probe.Execute(" ");
    } catch (const EArgumentException& e) {
        EXPECT_STREQ(e.what(), "No parameters required.");
    }
}

TEST(TUnsupportedCommand, ReportsItsName) {
    TLegacyCommand legacy;
    try {
        legacy.Execute("5");
        FAIL();
    } catch (const ENotSupportedException& e) {
        EXPECT_STREQ(e.what(), "Legacy command is not supported.");
    }
    EXPECT_EQ(legacy.GetShortcutAndSyntax(), "Legacy <n>");
}

TEST(TCustomCommand, AnAbstractSyntaxReadsAsEmpty) {
    class TBare final : public TCustomCommand {
    public:
        TBare() : TCustomCommand("TBareCommand") {}
    } bare;
    EXPECT_THROW(bare.GetSyntax(), ENotImplemented);
    EXPECT_EQ(bare.Syntax(), "");
    EXPECT_EQ(bare.GetShortcutAndSyntax(), "Bare");
}
