#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kb {

// A board number names the first board of a one-player match: the same
// number gives the same board on every machine, so that players can pass a
// board on. 0 stands for none: the board comes from the clock, as always.
inline constexpr uint32_t kNoBoardNumber = 0;
inline constexpr uint32_t kLargestBoardNumber = 2147483647;

// The day's board, the same for everyone on that day (UTC): its date as
// YYYYMMDD, 20261211 for 11 December 2026.
uint32_t BoardNumberOfDay(int64_t unixSeconds);

// "1" to "2147483647" in decimal digits, or "today" for the day's board; any
// other text is none.
std::optional<uint32_t> ParseBoardNumber(std::string_view text, int64_t unixSeconds);

// What a wrong board number is told.
inline constexpr const char kBoardNumberRule[] =
    "--board braucht eine Zahl von 1 bis 2147483647 oder today";

// "Klotzbrecher 3", and with a board number "Klotzbrecher 3 - Brett N", so
// that the number can be read off the window and passed on.
std::string GameTitle(uint32_t boardNumber);

}  // namespace kb
