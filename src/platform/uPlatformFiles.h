#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Files as the program's own classes need them. Every read and write is counted in the
// process-wide file statistics.

// The user's folders by the XDG convention: configuration ($XDG_CONFIG_HOME, ~/.config) and
// state ($XDG_STATE_HOME, ~/.local/state). A relative XDG value is ignored.
std::string ConfigurationFolder();
std::string StateFolder();
std::string HomeFolder();

// Creates the folder and its parents with mode 0700; false when that failed.
bool CreateFolders(const std::string& AFolder);
bool FileExists(const std::string& AFileName);
// True when the name itself is a symbolic link (whatever it points to, if anything).
bool IsSymbolicLink(const std::string& AFileName);

// Reads a whole file; false when it cannot be read (missing files and symbolic links included).
bool ReadWholeFile(const std::string& AFileName, std::string& AContent);
// Writes a whole file so that a concurrent reader or writer never sees it half written: a
// temporary file in the same folder, flushed to disk, then renamed over the old one (mode 0600).
bool ProtectedWriteFile(const std::string& AFileName, std::string_view AContent);

// A file held open for appending, with an exclusive advisory lock that tells other instances
// of the program to use another file.
class TLockedAppendFile final {
public:
    TLockedAppendFile() = default;
    ~TLockedAppendFile();
    TLockedAppendFile(const TLockedAppendFile&) = delete;
    TLockedAppendFile& operator=(const TLockedAppendFile&) = delete;

    // Opens (creating it with mode 0600) and locks; false when it cannot be opened, is a
    // symbolic link, or another process holds it.
    bool          Open(const std::string& AFileName);
    void          Close();
    bool          IsOpen() const { return FHandle >= 0; }
    std::uint64_t Size() const;
    // Seconds since the epoch of the last modification (local time is applied by the caller).
    std::int64_t LastWriteTime() const;
    bool         Append(std::string_view AData);
    void         Sync();

private:
    int FHandle = -1;
};

// An exclusive advisory lock on a file that is replaced by ProtectedWriteFile: instances that
// read, change and write the file one after another under it lose none of each other's changes.
// Lock waits for the other holders; it follows a replacement made while it waited, so that
// everyone locks the file that is there now. Released by Unlock or destruction.
class TFileLock final {
public:
    TFileLock() = default;
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    // Creates the file (mode 0600) when it is missing; false when it cannot be opened or is a
    // symbolic link.
    bool Lock(const std::string& AFileName);
    void Unlock();

private:
    int FHandle = -1;
};

// Renames a file; false when the target exists or the rename failed.
bool RenameFileNoReplace(const std::string& AFrom, const std::string& ATo);

// Local date and time of a moment given as seconds since the epoch.
struct TLocalDateTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
TLocalDateTime LocalDateTime(std::int64_t ASecondsSinceEpoch);
// Wall clock now, as seconds and nanoseconds since the epoch.
void        WallClockNow(std::int64_t& ASeconds, std::int64_t& ANanoseconds);
std::string OperatingSystemVersion();
