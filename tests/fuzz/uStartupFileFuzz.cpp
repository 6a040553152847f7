// A -startup file: the bytes are read from a file by the reader's rules, line by line, and each
// line runs as a console command. Joined again, the lines must give back the file (a last line
// without LF, CR kept for the console to strip).
#include "platform/uPlatformInput.h"
#include "uInputLines.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The in-memory file the input is written to, and its name.
int StartupFile() {
    static const int fd = memfd_create("kvfuzz-startup", 0);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    using namespace FuzzInputLines;
    TEngineSession& session = Session();
    session.Reset();
    (void)TakeOutput();
    const int file = StartupFile();
    Require(file >= 0, "the startup file can be made");
    if (ftruncate(file, 0) != 0 || pwrite(file, AData, ASize, 0) != static_cast<ssize_t>(ASize))
        Violation("the startup file can be written", {});
    const std::string_view input = InputText(AData, ASize);

    TStandardInputReader reader;
    const std::string    error = reader.OpenFile("/proc/self/fd/" + std::to_string(file));
    Require(error.empty(), "the startup file opens", error);
    std::string joined;
    std::string line;
    std::string output;
    while (reader.ReadLine(line) == rrLine) {
        Require(line.find('\n') == std::string::npos, "a line holds no LF", line);
        Require(line.size() <= TStandardInputReader::MaximalLineLength, "a line fits the limit");
        joined += line;
        joined += '\n';
        if (!session.Application().Terminated())
            session.Application().ProcessInputText(line);
        output += TakeOutput();
    }
    // The fuzzer's inputs stay far below the line limit: nothing is cut.
    Require(joined == input || joined == std::string(input) + "\n", "the lines are the file",
            joined);
    const std::string libraryError = LibraryErrorLine(output, input);
    Require(libraryError.empty(), "errors are the program's own", libraryError);
    return 0;
}
