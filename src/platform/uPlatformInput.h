#pragma once

#include <string>

enum TReadResult { rrLine, rrEndOfInput, rrWoken };

// Reads standard input line by line and can be woken from another thread, so that a reader
// blocked on a silent front end still ends promptly when the program is asked to terminate.
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
    // MaximalLineLength is cut to that length; the rest, up to its LF, is dropped.
    TReadResult ReadLine(std::string& ALine);
    // Thread-safe; a pending wake makes the next ReadLine return rrWoken at once.
    void Wake();

private:
    int         FWakePipe[2] = {-1, -1};
    std::string FBuffer;
    // How much of FBuffer is known to hold no LF, so that every byte is looked at once.
    std::size_t FScanned = 0;
    bool        FEndOfInput = false;
};
