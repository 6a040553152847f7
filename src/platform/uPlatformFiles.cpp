#include "platform/uPlatformFiles.h"

#include "platform/uFileStatistics.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace {

std::string AbsoluteEnvironmentFolder(const char* AName) {
    const char* value = std::getenv(AName);
    if (value == nullptr || value[0] != '/')
        return {};
    std::string folder(value);
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

std::string HomeFolder() {
    std::string home = AbsoluteEnvironmentFolder("HOME");
    if (!home.empty())
        return home;
    passwd            entry{};
    passwd*           result = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
        result != nullptr && result->pw_dir != nullptr)
        return result->pw_dir;
    return "/tmp";
}

std::string ConfigurationFolder() {
    const std::string folder = AbsoluteEnvironmentFolder("XDG_CONFIG_HOME");
    return folder.empty() ? HomeFolder() + "/.config" : folder;
}

std::string StateFolder() {
    const std::string folder = AbsoluteEnvironmentFolder("XDG_STATE_HOME");
    return folder.empty() ? HomeFolder() + "/.local/state" : folder;
}

bool CreateFolders(const std::string& AFolder) {
    if (AFolder.empty())
        return false;
    std::string path;
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = AFolder.find('/', position + 1);
        path = AFolder.substr(0, position);
        if (path.empty())
            continue;
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return stat(AFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& AFileName) {
    struct stat info {};
    return !AFileName.empty() && stat(AFileName.c_str(), &info) == 0;
}

bool IsSymbolicLink(const std::string& AFileName) {
    struct stat info {};
    return !AFileName.empty() && lstat(AFileName.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool ReadWholeFile(const std::string& AFileName, std::string& AContent) {
    AContent.clear();
    const int handle = open(AFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (handle < 0)
        return false;
    char chunk[65536];
    while (true) {
        const ssize_t got = read(handle, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        AContent.append(chunk, static_cast<std::size_t>(got));
    }
    close(handle);
    FileStatistics().CountRead(AContent.size());
    return true;
}

namespace {

bool WriteAll(int AHandle, std::string_view AData) {
    while (!AData.empty()) {
        const ssize_t written = write(AHandle, AData.data(), AData.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        AData.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool ProtectedWriteFile(const std::string& AFileName, std::string_view AContent) {
    std::string temporary = AFileName + ".XXXXXX";
    const int   handle = mkstemp(temporary.data());
    if (handle < 0)
        return false;
    fchmod(handle, 0600);
    const bool written = WriteAll(handle, AContent) && fsync(handle) == 0;
    close(handle);
    if (!written || rename(temporary.c_str(), AFileName.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    FileStatistics().CountWrite(AContent.size());
    return true;
}

TLockedAppendFile::~TLockedAppendFile() {
    Close();
}

bool TLockedAppendFile::Open(const std::string& AFileName) {
    Close();
    const int handle =
        open(AFileName.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (handle < 0)
        return false;
    struct stat info {};
    // Only a regular file: a FIFO or a device in its place is not a log.
    if (fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        flock(handle, LOCK_EX | LOCK_NB) != 0) {
        close(handle);
        return false;
    }
    FHandle = handle;
    return true;
}

void TLockedAppendFile::Close() {
    if (FHandle >= 0) {
        close(FHandle); // also releases the lock
        FHandle = -1;
    }
}

std::uint64_t TLockedAppendFile::Size() const {
    struct stat info {};
    return FHandle >= 0 && fstat(FHandle, &info) == 0 ? static_cast<std::uint64_t>(info.st_size)
                                                      : 0;
}

std::int64_t TLockedAppendFile::LastWriteTime() const {
    struct stat info {};
    return FHandle >= 0 && fstat(FHandle, &info) == 0 ? static_cast<std::int64_t>(info.st_mtime)
                                                      : 0;
}

bool TLockedAppendFile::Append(std::string_view AData) {
    if (FHandle < 0 || !WriteAll(FHandle, AData))
        return false;
    FileStatistics().CountWrite(AData.size());
    return true;
}

void TLockedAppendFile::Sync() {
    if (FHandle >= 0)
        fdatasync(FHandle);
}

TFileLock::~TFileLock() {
    Unlock();
}

bool TFileLock::Lock(const std::string& AFileName) {
    Unlock();
    while (true) {
        const int handle = open(AFileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (handle < 0)
            return false;
        int locked;
        while ((locked = flock(handle, LOCK_EX)) != 0 && errno == EINTR) {
        }
        struct stat held {};
        struct stat current {};
        if (locked != 0 || fstat(handle, &held) != 0) {
            close(handle);
            return false;
        }
        // The holder before us may have replaced the file: our lock is then on a file nobody
        // else will lock again. Start over with the new one.
        if (lstat(AFileName.c_str(), &current) == 0 && current.st_ino == held.st_ino &&
            current.st_dev == held.st_dev) {
            FHandle = handle;
            return true;
        }
        close(handle);
    }
}

void TFileLock::Unlock() {
    if (FHandle >= 0) {
        close(FHandle); // also releases the lock
        FHandle = -1;
    }
}

bool RenameFileNoReplace(const std::string& AFrom, const std::string& ATo) {
    if (FileExists(ATo))
        return false;
    return rename(AFrom.c_str(), ATo.c_str()) == 0;
}

TLocalDateTime LocalDateTime(std::int64_t ASecondsSinceEpoch) {
    const std::time_t time = static_cast<std::time_t>(ASecondsSinceEpoch);
    std::tm           parts{};
    localtime_r(&time, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

void WallClockNow(std::int64_t& ASeconds, std::int64_t& ANanoseconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    ASeconds = now.tv_sec;
    ANanoseconds = now.tv_nsec;
}

std::string OperatingSystemVersion() {
    utsname name{};
    if (uname(&name) != 0)
        return "Linux";
    return std::string(name.sysname) + " " + name.release + " " + name.version;
}
