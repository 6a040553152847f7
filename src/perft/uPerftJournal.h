#pragma once

#include "platform/uPlatformFiles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TPerftWorkPlan;

// The finished items of one deep perft as the journal holds them.
struct TPerftJournalContent {
    std::vector<std::uint64_t> Counts; // by item index; valid where Done
    std::vector<bool>          Done;
    std::size_t                DoneCount = 0;
    // Bytes up to the end of the last complete line; a last line without its line break is
    // what a write cut short by a killed run leaves, and is counted again.
    std::size_t CompleteSize = 0;
    bool        Incomplete = false;
};

// The journal's text, line by line. The header names the perft: the variant, the depth, the
// split depth and the root position; fields are tab-separated because position strings hold
// blanks. Each item line holds the position, its multiplicity, the
// remaining depth, the count and a checksum over the other fields, so that a line changed on
// disk is told from a finished item.
std::string FormatPerftJournalHeader(const TPerftWorkPlan& APlan);
std::string FormatPerftJournalItem(std::string_view APosition, std::uint64_t AMultiplicity,
                                   std::int32_t ARemainingDepth, std::uint64_t ACount);
// A line of the given tab-separated fields with their checksum and the line break.
std::string SealPerftJournalLine(std::string_view AFields);
// Reads a journal's text for APlan. Raises for a journal of another perft (another variant,
// root position, depth or split depth) and for a damaged line, naming AFileName and the line.
// An empty text is an empty journal.
TPerftJournalContent ReadPerftJournal(std::string_view AText, const TPerftWorkPlan& APlan,
                                      const std::string& AFileName);

// The journal file of a run: read at the start, then appended to, one line per finished item,
// each written through at once, so that a run killed at any moment keeps every line written
// before. Locked against a second run on the same file. One thread uses it.
class TPerftJournal final {
public:
    // Opens or creates the file for APlan, reads what it holds (see ReadPerftJournal) and drops
    // an incomplete last line. Raises when the file cannot be read, written or locked.
    void                        Open(const std::string& AFileName, const TPerftWorkPlan& APlan);
    const TPerftJournalContent& Content() const { return FContent; }
    // Appends the line of a finished item and writes it through; on disk at least once a second.
    void Append(std::string_view APosition, std::uint64_t AMultiplicity,
                std::int32_t ARemainingDepth, std::uint64_t ACount);
    // Everything on disk.
    void               Flush();
    const std::string& FileName() const { return FFileName; }
    std::uint64_t      Size() const { return FFile.Size(); }

private:
    std::string          FFileName;
    TLockedAppendFile    FFile;
    TPerftJournalContent FContent;
    std::int64_t         FLastSyncSeconds = 0;
};
