#pragma once

#include <string_view>

// The standard streams as the console needs them. Only this layer knows file descriptors.
enum TStandardStream { ssOutput, ssError };

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
