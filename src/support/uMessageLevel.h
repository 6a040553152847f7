#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Every framework message carries a level; the log and the console filter and colour by it.
enum TMessageLevel : std::uint8_t {
    mlConfirmation,
    mlDebug,
    mlInformation,
    mlWarning,
    mlError,
    mlFatalError,
    mlNone
};

inline constexpr std::array<std::string_view, 7> MessageLevelNames = {
    "Confirmation", "Debug", "Information", "Warning", "Error", "Fatal Error", "None"};
static_assert(MessageLevelNames.size() == mlNone + 1);
