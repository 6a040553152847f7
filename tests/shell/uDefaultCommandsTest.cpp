#include "shell/uDefaultCommands.h"

#include "support/uExceptions.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

// No desktop for the time of a test, as on a server or over ssh; the caller's is put back.
class TNoDesktop {
public:
    TNoDesktop() {
        for (std::size_t i = 0; i < Names.size(); ++i) {
            if (const char* value = std::getenv(Names[i]))
                FSaved[i] = value;
            unsetenv(Names[i]);
        }
    }
    ~TNoDesktop() {
        for (std::size_t i = 0; i < Names.size(); ++i)
            if (FSaved[i])
                setenv(Names[i], FSaved[i]->c_str(), 1);
    }

private:
    static constexpr std::array<const char*, 2> Names = {"DISPLAY", "WAYLAND_DISPLAY"};
    std::array<std::optional<std::string>, 2>   FSaved;
};

std::string NumberedLines(int AFirst, int ALast) {
    std::string text;
    for (int i = AFirst; i <= ALast; ++i)
        text += "line " + std::to_string(i) + "\n";
    return text;
}

} // namespace

// Without a desktop the command shows the file itself: the log's last lines, a configuration
// file whole.
TEST(TShowFileCommand, ShowsTheFileOnTheConsoleWithoutADesktop) {
    struct TCase {
        int         Lines;
        std::size_t LastLines;
        int         FirstShown;
    };
    constexpr TCase   Cases[] = {{100, 40, 61}, {40, 40, 1}, {3, 40, 1}, {100, 0, 1}};
    const TNoDesktop  noDesktop;
    const std::string fileName =
        (std::filesystem::temp_directory_path() / ("kvshowfile-" + std::to_string(getpid())))
            .string();
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::to_string(c.Lines) + " lines, last " + std::to_string(c.LastLines));
        std::ofstream(fileName, std::ios::binary) << NumberedLines(1, c.Lines);
        TShowFileCommand command("ShowLog", "", fileName, c.LastLines);
        command.Execute("");
        const std::string heading =
            "No desktop to show \"" + fileName + "\" on." +
            (c.LastLines != 0 ? " Its last " + std::to_string(c.LastLines) + " lines:"
                              : std::string(" Its content:"));
        std::string expected = heading + "\n" + NumberedLines(c.FirstShown, c.Lines);
        expected.pop_back();
        EXPECT_EQ(command.Response(), expected);
    }
    std::filesystem::remove(fileName);

    // A file removed since the command was registered is named in the error.
    TShowFileCommand gone("ShowIni", "", fileName);
    EXPECT_THROW(gone.Execute(""), EFileNotFoundException);
}
