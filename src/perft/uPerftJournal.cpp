#include "perft/uPerftJournal.h"

#include "perft/uPerftWorkPlan.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <charconv>
#include <chrono>

namespace {

constexpr std::string_view Magic = "kvvexdra-perft journal";
constexpr std::string_view Version = "1";

// FNV-1a: cheap, and any changed character changes it.
std::uint64_t Checksum(std::string_view AText) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : AText) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Hex(std::uint64_t AValue) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string           text(16, '0');
    for (int i = 15; i >= 0; --i, AValue >>= 4)
        text[static_cast<std::size_t>(i)] = Digits[AValue & 15];
    return text;
}

std::vector<std::string_view> SplitTabs(std::string_view ALine) {
    std::vector<std::string_view> fields;
    std::size_t                   start = 0;
    for (;;) {
        const std::size_t tab = ALine.find('\t', start);
        fields.push_back(ALine.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool ReadUnsigned(std::string_view AText, std::uint64_t& AValue) {
    if (AText.empty() || AText.size() > 20)
        return false;
    const auto [end, error] = std::from_chars(AText.data(), AText.data() + AText.size(), AValue);
    return error == std::errc() && end == AText.data() + AText.size();
}

std::string Describe(std::string_view AVariant, std::string_view ADepth, std::string_view ASplit,
                     std::string_view APosition) {
    return "variant " + std::string(AVariant) + ", depth " + std::string(ADepth) + ", split " +
           std::string(ASplit) + ", position \"" + std::string(APosition) + "\"";
}

[[noreturn]] void RaiseDamaged(const std::string& AFileName, std::size_t ALine,
                               std::string_view AReason) {
    throw Exception("Journal " + AFileName + ", line " + std::to_string(ALine) +
                    " is damaged: " + std::string(AReason) + ".");
}

void CheckHeader(std::string_view ALine, const TPerftWorkPlan& APlan,
                 const std::string& AFileName) {
    const std::vector<std::string_view> fields = SplitTabs(ALine);
    if (fields.size() != 6 || fields[0] != Magic)
        throw Exception("File " + AFileName + " is not a perft journal.");
    if (fields[1] != Version)
        throw Exception("Journal " + AFileName + " has format " + std::string(fields[1]) +
                        "; this program reads format " + std::string(Version) + ".");
    const std::string depth = std::to_string(APlan.Depth());
    const std::string split = std::to_string(APlan.Split());
    if (!SameText(fields[2], APlan.VariantName()) || fields[3] != depth || fields[4] != split ||
        fields[5] != APlan.RootPosition())
        throw Exception("Journal " + AFileName + " belongs to another perft (" +
                        Describe(fields[2], fields[3], fields[4], fields[5]) +
                        "), not to this one (" +
                        Describe(APlan.VariantName(), depth, split, APlan.RootPosition()) +
                        "); give another journal file.");
}

} // namespace

std::string FormatPerftJournalHeader(const TPerftWorkPlan& APlan) {
    return std::string(Magic) + '\t' + std::string(Version) + '\t' + APlan.VariantName() + '\t' +
           std::to_string(APlan.Depth()) + '\t' + std::to_string(APlan.Split()) + '\t' +
           APlan.RootPosition() + '\n';
}

std::string SealPerftJournalLine(std::string_view AFields) {
    std::string       line(AFields);
    const std::string checksum = Hex(Checksum(AFields));
    line += '\t';
    line += checksum;
    line += '\n';
    return line;
}

std::string FormatPerftJournalItem(std::string_view APosition, std::uint64_t AMultiplicity,
                                   std::int32_t ARemainingDepth, std::uint64_t ACount) {
    return SealPerftJournalLine(std::string(APosition) + '\t' + std::to_string(AMultiplicity) +
                                '\t' + std::to_string(ARemainingDepth) + '\t' +
                                std::to_string(ACount));
}

TPerftJournalContent ReadPerftJournal(std::string_view AText, const TPerftWorkPlan& APlan,
                                      const std::string& AFileName) {
    TPerftJournalContent content;
    content.Counts.assign(APlan.Items().size(), 0);
    content.Done.assign(APlan.Items().size(), false);
    const std::size_t lastBreak = AText.rfind('\n');
    content.CompleteSize = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    content.Incomplete = content.CompleteSize < AText.size();
    std::string_view  rest = AText.substr(0, content.CompleteSize);
    std::size_t       lineNumber = 0;
    const std::string remaining = std::to_string(APlan.RemainingDepth());
    while (!rest.empty()) {
        const std::size_t      end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        ++lineNumber;
        if (lineNumber == 1) {
            CheckHeader(line, APlan, AFileName);
            continue;
        }
        const std::vector<std::string_view> fields = SplitTabs(line);
        if (fields.size() != 5)
            RaiseDamaged(AFileName, lineNumber, "5 tab-separated fields expected");
        const std::string_view body = line.substr(0, line.size() - fields[4].size() - 1);
        if (fields[4] != Hex(Checksum(body)))
            RaiseDamaged(AFileName, lineNumber, "its checksum does not match");
        std::uint64_t multiplicity = 0;
        std::uint64_t count = 0;
        if (!ReadUnsigned(fields[1], multiplicity) || !ReadUnsigned(fields[3], count))
            RaiseDamaged(AFileName, lineNumber, "a number is malformed");
        const std::int64_t item = APlan.Find(fields[0]);
        if (item < 0)
            RaiseDamaged(AFileName, lineNumber, "its position is not one of this perft's items");
        const auto index = static_cast<std::size_t>(item);
        if (multiplicity != APlan.Items()[index].Multiplicity || fields[2] != remaining)
            RaiseDamaged(AFileName, lineNumber,
                         "its multiplicity or depth differs from this perft's item");
        if (content.Done[index]) {
            if (content.Counts[index] != count)
                RaiseDamaged(AFileName, lineNumber, "its item is there twice with other counts");
            continue;
        }
        content.Done[index] = true;
        content.Counts[index] = count;
        ++content.DoneCount;
    }
    return content;
}

namespace {

std::int64_t SteadySeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void TPerftJournal::Open(const std::string& AFileName, const TPerftWorkPlan& APlan) {
    FFileName = AFileName;
    // Locked before it is read, so that no other run appends meanwhile.
    if (!FFile.Open(AFileName))
        throw Exception("Journal " + AFileName +
                        " cannot be opened for writing, or another run is using it.");
    std::string text;
    if (!ReadWholeFile(AFileName, text))
        throw Exception("Journal " + AFileName + " cannot be read.");
    FContent = ReadPerftJournal(text, APlan, AFileName);
    if (FContent.Incomplete) {
        // The cut line goes, so that the next line starts on a line of its own.
        FFile.Close();
        if (!ProtectedWriteFile(AFileName,
                                std::string_view(text).substr(0, FContent.CompleteSize)) ||
            !FFile.Open(AFileName))
            throw Exception("Journal " + AFileName + " cannot be rewritten.");
    }
    if (FContent.CompleteSize == 0 && !FFile.Append(FormatPerftJournalHeader(APlan)))
        throw Exception("Journal " + AFileName + " cannot be written.");
    FFile.Sync();
    FLastSyncSeconds = SteadySeconds();
}

void TPerftJournal::Append(std::string_view APosition, std::uint64_t AMultiplicity,
                           std::int32_t ARemainingDepth, std::uint64_t ACount) {
    if (!FFile.Append(FormatPerftJournalItem(APosition, AMultiplicity, ARemainingDepth, ACount)))
        throw Exception("Journal " + FFileName + " cannot be written.");
    const std::int64_t now = SteadySeconds();
    if (now != FLastSyncSeconds) {
        FFile.Sync();
        FLastSyncSeconds = now;
    }
}

void TPerftJournal::Flush() {
    FFile.Sync();
}
