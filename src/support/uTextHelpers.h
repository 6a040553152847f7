#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Small text helpers shared by every layer. Text is UTF-8; case rules are ASCII, which is what
// command names, option names and protocol keywords use.

char        LowerChar(char AChar);
char        UpperChar(char AChar);
std::string LowerCase(std::string_view AText);
std::string UpperCase(std::string_view AText);

// Case-insensitive equality of names (commands, options, variants).
bool SameText(std::string_view A, std::string_view B);
bool StartsText(std::string_view APrefix, std::string_view AText);
// Ordinal comparison ignoring ASCII case: <0, 0, >0.
int CompareText(std::string_view A, std::string_view B);

std::string_view TrimView(std::string_view AText);
std::string      Trim(std::string_view AText);
std::string_view TrimLeftView(std::string_view AText);

// Lines at CR, LF or CR LF (one break). An empty text gives no line; a final break adds none.
std::vector<std::string> SplitLines(std::string_view AText);

// Words separated by blanks (spaces and tabs).
std::vector<std::string> SplitWords(std::string_view AText);

// Number of code points, counting each UTF-8 lead byte (invalid bytes count as one each).
std::size_t Utf8Length(std::string_view AText);
// The first ACount code points.
std::string_view Utf8Prefix(std::string_view AText, std::size_t ACount);

// The text as a program can safely echo it: every byte that does not belong to a well-formed
// UTF-8 sequence, and every control character but the tab (NUL and ESC above all), becomes
// U+FFFD. Well-formed text comes back unchanged.
std::string ReadableText(std::string_view AText);

std::string ReplaceAll(std::string_view AText, std::string_view AFrom, std::string_view ATo);

// Strict decimal conversion of a signed 64-bit integer: optional sign, digits, nothing else.
std::optional<std::int64_t> TryStrToInt64(std::string_view AText);
// As above; raises EConvertError "'x' is not a valid integer value" on failure.
std::int64_t StrToInt64(std::string_view AText);
