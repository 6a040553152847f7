#include "shell/uCommandConsoleApplication.h"

#include <gtest/gtest.h>

TEST(TCommandConsoleApplication, SplitsNameAtTheFirstSpaceOnly) {
    struct TCase {
        const char* Line;
        const char* Name;
        const char* Parameters;
    };
    const TCase Cases[] = {
        {"help", "help", ""},
        {"help   ", "help", ""},
        {"help quit ", "help", "quit "},
        {"go  \t depth 5", "go", "depth 5"},
        {"help\tquit", "help\tquit", ""},
        {" help", "", "help"},
        {"position fen a  b", "position", "fen a  b"},
    };
    for (const auto& c : Cases) {
        std::string name, parameters;
        TCommandConsoleApplication::SplitCommandLine(c.Line, name, parameters);
        EXPECT_EQ(name, c.Name) << c.Line;
        EXPECT_EQ(parameters, c.Parameters) << c.Line;
    }
}
