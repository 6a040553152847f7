#pragma once

#include <string>
#include <string_view>

// Control characters as C escapes, so that a multi-line text fits on one line of a file:
// BEL BS TAB LF VT FF CR ESC become \a \b \t \n \v \f \r \e, a backslash is doubled.
std::string EscapeText(std::string_view AText);
// The reverse; also reads \E, \" \' \?, octal \ooo, \xHH and \uHHHH (as UTF-8). A backslash
// before any other character gives that character.
std::string UnescapeText(std::string_view AText);
// A code point as UTF-8.
void AppendUtf8(std::string& AText, unsigned ACodePoint);
