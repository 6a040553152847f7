#pragma once

#include <cstdint>

// The sixteen console colours; an attribute byte holds the foreground in its low four bits and
// the background in its high four bits.
enum TConsoleColor : std::uint8_t {
    ccBlack,
    ccBlue,
    ccGreen,
    ccAqua,
    ccRed,
    ccPurple,
    ccYellow,
    ccLightGray,
    ccGray,
    ccLightBlue,
    ccLightGreen,
    ccLightAqua,
    ccLightRed,
    ccLightPurple,
    ccLightYellow,
    ccWhite
};
using TColorAttribute = std::uint8_t;

constexpr TColorAttribute MakeAttribute(TConsoleColor AForeground, TConsoleColor ABackground) {
    return static_cast<TColorAttribute>(AForeground + 16 * ABackground);
}

enum THorizontalAlignment : std::uint8_t { haLeft, haCenter, haRight };
enum TVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };
