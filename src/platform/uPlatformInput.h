#pragma once

#include <string>

enum TReadResult { rrLine, rrEndOfInput, rrWoken };

// Reads standard input line by line and can be woken from another thread, so that a reader
// blocked on a silent front end still ends promptly when the program is asked to terminate.
// It may first read a file (a startup script) by the same rules, so that neither source is ever
// held whole in memory: a FIFO, /dev/zero or a huge file cost one line at most.
class TStandardInputReader final {
public:
    TStandardInputReader();
    ~TStandardInputReader();
    TStandardInputReader(const TStandardInputReader&) = delete;
    TStandardInputReader& operator=(const TStandardInputReader&) = delete;

    // No command is this long; a front end that sends more is sending garbage.
    static constexpr std::size_t MaximalLineLength = 8u << 20;

    // Blocks until a whole line (without its LF), the end of input, or a Wake.
    // A last line without LF is delivered before the end of input. A line longer than
    // MaximalLineLength is cut to that length and delivered as soon as that much has arrived;
    // the rest, up to its LF, is dropped.
    TReadResult ReadLine(std::string& ALine);
    // Thread-safe; a pending wake makes the next ReadLine return rrWoken at once.
    void Wake();

    // Reads AFileName instead of standard input until its end, which ReadLine reports as
    // rrEndOfInput; the caller then goes on with UseStandardInput. Returns why the file cannot
    // be read (missing, a folder, no permission), or an empty text. Never blocks, not even on a
    // FIFO without a writer.
    std::string OpenFile(const std::string& AFileName);
    void        UseStandardInput();
    bool        ReadsFile() const { return FFile >= 0; }

private:
    void        Reset();
    int         Source() const { return FFile >= 0 ? FFile : 0; }
    int         FFile = -1;
    int         FWakePipe[2] = {-1, -1};
    std::string FBuffer;
    // Where the next line starts in FBuffer.
    std::size_t FStart = 0;
    // How much of FBuffer is known to hold no LF, so that every byte is looked at once.
    std::size_t FScanned = 0;
    bool        FEndOfInput = false;
    // A cut line was delivered; its rest up to the LF is being dropped.
    bool FDiscarding = false;
};
