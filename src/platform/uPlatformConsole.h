#pragma once

#include <string>
#include <string_view>

// The standard streams as the console needs them. Only this layer knows file descriptors.
enum TStandardStream { ssOutput, ssError };

// Gives every closed standard descriptor (0, 1, 2) "/dev/null", before anything else opens a
// file: a pipe or log created later must never land on 0-2, where it would be read as input or
// written as output. A closed standard input thus reads as an immediate end of input.
void ReserveStandardDescriptors();

// True when the stream is a character device (a terminal), not a pipe or file.
bool StreamIsTerminal(TStandardStream AStream);
// True when colour escape sequences may be sent to the stream: a terminal, TERM is not "dumb"
// and NO_COLOR is unset.
bool StreamAcceptsColors(TStandardStream AStream);
// Columns and rows of the terminal behind standard output; false when unknown or redirected.
bool TerminalSize(int& AColumns, int& ARows);
// True when the locale's character set is UTF-8 (or unset, which we treat as UTF-8).
bool LocaleIsUtf8();

// Writes all bytes; returns false when the reader went away (EPIPE) or the write failed.
bool StreamWrite(TStandardStream AStream, std::string_view AData);
bool StreamFlush(TStandardStream AStream);
// Set once a write found the reading end closed; the application then ends as on quit.
bool StreamBroken();
// The error number of the first failed write or flush of standard output for any other reason
// than a closed reader (a full disk, /dev/full, an I/O error); 0 while none failed.
int         StreamFailure();
std::string StreamFailureText();
// Called once, on the thread that wrote, when standard output first fails or breaks; the
// console lock of that write is held.
void SetStreamFailureHandler(void (*AHandler)());
