#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum TOpponentType : std::uint8_t { otComputer, otHuman };

// The opponent as a front end describes it: "GM 2800 human Gary Kasparov".
struct TOpponent {
    std::string   Title;
    std::int32_t  Elo = 0;
    TOpponentType OpponentType = otComputer;
    std::string   Name;

    // Title, Elo ("none" for unknown), "computer" or "human", then the name. A bad Elo raises
    // the integer conversion error, a bad type a parse error; the record is then unchanged.
    void ReadFromString(std::string_view AText);
};
