#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TCustomArgument;
class TArguments;

// A file read and written as a whole.
class TRWFile {
public:
    TRWFile() = default;
    explicit TRWFile(std::string AFileName) { Open(std::move(AFileName)); }
    virtual ~TRWFile() = default;
    TRWFile(const TRWFile&) = delete;
    TRWFile& operator=(const TRWFile&) = delete;

    bool Open(std::string AFileName) {
        FFileName = std::move(AFileName);
        return true;
    }
    const std::string& FileName() const { return FFileName; }
    // A new name reloads: the registered settings are read again from the new file.
    void         SetFileName(const std::string& AFileName);
    virtual void ReadWrite(bool ASave) = 0;

private:
    std::string FFileName;
};

struct TStringPair {
    std::string Name;
    std::string Value;
};

struct TIniSection {
    std::string              Name;
    std::vector<TStringPair> Keys;
};

// An ini document bound to one file: loaded at the first access, saved (only when its bytes
// change, and atomically) by Save or at destruction after a write. Section and key names are
// case-sensitive and keep their order. Used from one thread at a time.
class TKvIniFile final : public TRWFile {
public:
    using TRWCallback = std::function<void(TKvIniFile&, bool ASave)>;

    explicit TKvIniFile(std::string AFileName = {});
    ~TKvIniFile() override;

    std::string ReadString(std::string_view ASection, std::string_view AIdent,
                           std::string_view ADefault = {});
    // "1,234" reads 1234, "-+-5" reads 5, a text without digits 0; missing or empty: ADefault.
    std::int64_t ReadNum(std::string_view ASection, std::string_view AIdent, std::int64_t ADefault);
    // A counter: below 0 reads 0, beyond 2^64 - 1 reads 2^64 - 1, both with a warning.
    std::uint64_t ReadNumU(std::string_view ASection, std::string_view AIdent,
                           std::uint64_t ADefault);
    double        ReadFloat(std::string_view ASection, std::string_view AIdent, double ADefault);
    bool          ReadBool(std::string_view ASection, std::string_view AIdent, bool ADefault);
    bool          SectionExists(std::string_view ASection);
    bool          ValueExists(std::string_view ASection, std::string_view AIdent);
    int           GetSectionIndex(std::string_view ASection);
    std::string   GetSectionName(int AIndex);
    int           SectionCount();
    // name=value lines of a section, in order.
    std::vector<std::string> ReadSection(std::string_view ASection);

    void WriteString(std::string_view ASection, std::string_view AIdent, std::string_view AValue);
    void WriteNum(std::string_view ASection, std::string_view AIdent, std::int64_t AValue);
    void WriteNumU(std::string_view ASection, std::string_view AIdent, std::uint64_t AValue);
    void WriteFloat(std::string_view ASection, std::string_view AIdent, double AValue);
    void WriteBool(std::string_view ASection, std::string_view AIdent, bool AValue);
    // These change only the memory image; the file follows with the next save caused by a write.
    void AddSection(std::string_view ASection);
    void AddValue(std::string_view ASection, std::string_view AIdent, std::string_view AValue);
    void DeleteSection(std::string_view ASection);
    void DeleteValue(std::string_view ASection, std::string_view AIdent);
    void EmptySection(std::string_view ASection);

    // Read-or-write pairs: ASave writes the variable, otherwise it is read with its current value
    // as the default.
    void RWBool(std::string_view ASection, std::string_view AIdent, bool ASave, bool& AValue);
    void RWNum(std::string_view ASection, std::string_view AIdent, bool ASave,
               std::int64_t& AValue);
    void RWNum(std::string_view ASection, std::string_view AIdent, bool ASave,
               std::uint64_t& AValue);
    void RWString(std::string_view ASection, std::string_view AIdent, bool ASave,
                  std::string& AValue);
    void RWMultilineString(std::string_view ASection, std::string_view AIdent, bool ASave,
                           std::string& AValue);
    // "LineCount" and "Line0", "Line1" ...; stale lines beyond a shorter list are deleted. A count
    // larger than the keys of the section is cut to that number.
    void RWStrings(std::string_view ASection, bool ASave, std::vector<std::string>& AValue);
    void RWArgument(std::string_view ASection, bool ASave, TCustomArgument& AArgument);
    void RWArguments(bool ASave, TArguments& AArguments);
    // Saving writes the counter; loading adds the stored number to it.
    void ReadAndIncrementOrWrite(std::string_view ASection, std::string_view AIdent, bool ASave,
                                 std::uint64_t& ACounter);

    // Registers a settings owner: its callback loads at once, and saves and loads with the file.
    void RegisterRW(const void* AOwner, TRWCallback ACallback);
    // Saves the owner's settings once more and forgets it.
    void UnregisterRW(const void* AOwner);
    void ReadWrite(bool ASave) override;

    // Writes the file when its bytes differ; false when the file could not be written.
    bool Save();
    void Load();
    bool FileSaved() const { return FFileSaved; }
    // The document as it is written.
    std::string AsString();
    // Replaces the memory image by a parsed text (as if it had been read from the file).
    void SetText(std::string_view AText);

private:
    void         EnsureLoaded();
    TIniSection* FindSection(std::string_view ASection);
    TStringPair* FindValue(std::string_view ASection, std::string_view AIdent);
    TIniSection& ObtainSection(std::string_view ASection);
    std::int64_t SectionKeyCount(std::string_view ASection);

    std::vector<TIniSection>                         FSections;
    bool                                             FInMemory = false;
    bool                                             FFileSaved = true;
    std::vector<std::pair<const void*, TRWCallback>> FRWList;
};

// The leading integer of an ini value: blanks, then any run of signs (each "-" flips), then
// digits; commas are ignored.
std::int64_t IniTextToInt(std::string_view AText);
// The same for a counter, saturated to 0 .. 2^64 - 1; ASaturated tells whether it was.
std::uint64_t IniTextToUInt(std::string_view AText, bool& ASaturated);
