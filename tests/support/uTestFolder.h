#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh folder for one test, removed afterwards.
class TTestFolder {
public:
    explicit TTestFolder(const std::string& AName)
        : FPath(std::filesystem::temp_directory_path() /
                ("kv-" + AName + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    std::string File(const std::string& AName) const { return (FPath / AName).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};
