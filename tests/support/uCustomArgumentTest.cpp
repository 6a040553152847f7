#include "support/uCustomArgument.h"

#include "support/uExceptions.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct TArgumentsFixture : ::testing::Test {
    TSwitchArgument            Minimized{"minimized", "Minimizes application"};
    TStringArgument            Name{"name", "A name.", rcOptional};
    TNumericalIntervalArgument Depth{"depth", "Depth.", 1, 99, 5, rcOptional};
    TArguments                 List{"Test"};

    TArgumentsFixture() {
        List.Add(Minimized);
        List.Add(Name);
        List.Add(Depth);
    }

    std::string ParseError(const std::vector<std::string>& ATokens) {
        try {
            List.Parse(ATokens);
        } catch (const Exception& e) {
            return e.what();
        }
        return "parsed";
    }
};

} // namespace

TEST_F(TArgumentsFixture, ParsesNamesValuesAndColonForms) {
    List.Parse({"-name", "/home/u/cmds.txt", "--DEPTH:7", "-minimized"});
    EXPECT_EQ(Name.Value(), "/home/u/cmds.txt");
    EXPECT_EQ(Depth.Value(), 7);
    EXPECT_TRUE(Minimized.ExistsNoUsed());
    EXPECT_TRUE(Minimized.Value());
}

TEST_F(TArgumentsFixture, ValuesWithBlanksStayWhole) {
    List.Parse({"-name", "two words"});
    EXPECT_EQ(Name.Value(), "two words");
}

TEST_F(TArgumentsFixture, ReportsUnknownAndMisplacedParameters) {
    EXPECT_EQ(ParseError({"-minimized", "-5"}), "Unknown command-line parameter '5'.");
    EXPECT_EQ(ParseError({"-it's"}), "Unknown command-line parameter 'it''s'.");
    EXPECT_EQ(ParseError({"-name", "a", "b"}), "Unknown command-line parameter 'b'.");
}

TEST_F(TArgumentsFixture, SwitchValues) {
    struct TCase {
        const char* Text;
        bool        Value;
    };
    constexpr TCase Cases[] = {{"", true},     {"1", true},  {"true", true},
                               {"TRUE", true}, {"0", false}, {"False", false}};
    for (const auto& c : Cases) {
        Minimized.SetValueFromString(c.Text);
        EXPECT_EQ(Minimized.Value(), c.Value) << c.Text;
    }
    try {
        Minimized.SetValueFromString("yes");
        FAIL();
    } catch (const EParseError& e) {
        EXPECT_STREQ(e.what(), "Argument 'minimized' is switch,  '{no value}', 'false', 'true', "
                               "'0' or '1' expected but token 'yes' found.");
    }
    EXPECT_FALSE(Minimized.Value());
}

TEST_F(TArgumentsFixture, NumericValuesOutsideTheIntervalKeepTheOldValue) {
    int changes = 0;
    Depth.SetOnChange([&](TCustomArgument&) { ++changes; });
    Depth.SetValueFromString("99");
    EXPECT_EQ(changes, 1);
    Depth.SetValueFromString("99");
    EXPECT_EQ(changes, 1);
    try {
        Depth.SetValueFromString("100");
        FAIL();
    } catch (const EArgumentOutOfRangeException& e) {
        EXPECT_STREQ(e.what(), "Invalid argument 'depth' value '100'. Interval [1..99] expected.");
    }
    EXPECT_EQ(Depth.Value(), 99);
    EXPECT_EQ(changes, 1);
    for (const char* bad : {"9223372036854775808", "1.5", "x"}) {
        try {
            Depth.SetValueFromString(bad);
            FAIL() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
    EXPECT_EQ(Depth.Value(), 99);
}

TEST(TNumericalInterval, DescriptionGroupsDigits) {
    EXPECT_EQ(TNumericalInterval(-1000, 1234567).Description(), "Interval [-1,000..1,234,567]");
    EXPECT_TRUE(TNumericalInterval(1, 2).Contains(1));
    EXPECT_TRUE(TNumericalInterval(1, 2).Contains(2));
    EXPECT_FALSE(TNumericalInterval(1, 2).Contains(3));
}

TEST(TComboArgument, MatchesCaptionsIgnoringCase) {
    TComboArgument combo("mode", "Mode.", {"none", "Fast", "slow"}, 0);
    combo.SetValueFromString("NONE");
    EXPECT_EQ(combo.GetValueAsString(), "none");
    combo.SetValueFromString("fast");
    EXPECT_EQ(combo.GetValueAsString(), "Fast");
    EXPECT_EQ(combo.GetSyntax(), "[none|Fast|slow|]");
    try {
        combo.SetValueFromString("medium");
        FAIL();
    } catch (const EParseError& e) {
        EXPECT_STREQ(e.what(), "Invalid argument 'mode' value,  'none', 'Fast' or 'slow' expected "
                               "but token 'medium' found.");
    }
    EXPECT_EQ(combo.Value(), 1);
    TComboArgument empty("e", "Empty.", {});
    EXPECT_EQ(empty.GetValueAsString(), "N/A");
    try {
        empty.SetValueFromString("x");
        FAIL();
    } catch (const EParseError& e) {
        EXPECT_STREQ(e.what(),
                     "Invalid argument 'e' value,  nothing expected but token 'x' found.");
    }
}

TEST(TFileNameArgument, ResolvesAgainstTheStartDirectoryAndChecksExistence) {
    const auto folder = std::filesystem::temp_directory_path() / "kvargtest";
    std::filesystem::create_directories(folder);
    const auto file = folder / "cmds.txt";
    std::ofstream(file) << "quit\n";
    TFileNameArgument argument("startup", "File with startup commands.", rcOptional);
    argument.SetValueFromString(file.string());
    EXPECT_EQ(argument.Value(), file.string());
    try {
        argument.SetValueFromString("no-such-file.txt");
        FAIL();
    } catch (const EFileNotFoundException& e) {
        EXPECT_STREQ(e.what(), "File \"no-such-file.txt\" not found.");
    }
    EXPECT_TRUE(std::filesystem::path(argument.Value()).is_absolute());
    std::filesystem::remove_all(folder);
}

TEST(TArguments, TokenizesCommandLinesWithQuotes) {
    EXPECT_EQ(TArguments::TokenizeCommandLine("\"C:\\my prog\" -startup \"a b.txt\" -h"),
              (std::vector<std::string>{"-startup", "a b.txt", "-h"}));
    EXPECT_EQ(TArguments::TokenizeCommandLine("prog -x \"say \\\"hi\\\"\""),
              (std::vector<std::string>{"-x", "say \"hi\""}));
    EXPECT_EQ(TArguments::TokenizeCommandLine("prog -x \"unclosed value"),
              (std::vector<std::string>{"-x", "unclosed value"}));
    EXPECT_TRUE(TArguments::TokenizeCommandLine("   prog").empty());
}

TEST(TArguments, ProblemListsAndPreview) {
    TSwitchArgument a("a", "First.", rcRequired);
    TSwitchArgument b("b", "Second.");
    a.Require(b);
    TArguments list;
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.ShowRequired(), "\n  Argument \"a\" required");
    list.Parse({"-a"});
    EXPECT_EQ(list.ShowRequired(), "");
    EXPECT_EQ(list.Check(), "Argument \"a\" requires argument \"b\"\n");
    EXPECT_EQ(a.Preview(), "-a First. (required)\n  Requires: \"b\";\r\n");
    EXPECT_EQ(a.GetRequireList(), "\n  requires: \"b\";");
    EXPECT_EQ(list.ShowUnused(), "\n  Argument 'a' from command-line is not used in program");
    (void)a.Value();
    EXPECT_EQ(list.ShowUnused(), "");
}
