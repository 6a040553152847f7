#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// Tests never touch the real home folder: configuration and state go to a private folder.
int main(int argc, char** argv) {
    const auto root =
        std::filesystem::temp_directory_path() / ("kvtests-" + std::to_string(getpid()));
    std::filesystem::create_directories(root);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int       result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}
