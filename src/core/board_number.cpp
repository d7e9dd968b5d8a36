#include "core/board_number.h"

#include <chrono>

namespace kb {

uint32_t BoardNumberOfDay(int64_t unixSeconds) {
  using namespace std::chrono;
  const sys_days day = floor<days>(sys_seconds(seconds(unixSeconds)));
  const year_month_day date(day);
  return static_cast<uint32_t>(static_cast<int>(date.year()) * 10000 +
                               static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
                               static_cast<int>(static_cast<unsigned>(date.day())));
}

std::optional<uint32_t> ParseBoardNumber(std::string_view text, int64_t unixSeconds) {
  if (text == "today") return BoardNumberOfDay(unixSeconds);
  if (text.empty() || text.size() > 10 || text.front() == '0') return std::nullopt;
  uint64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<uint64_t>(c - '0');
  }
  if (number > kLargestBoardNumber) return std::nullopt;
  return static_cast<uint32_t>(number);
}

std::string GameTitle(uint32_t boardNumber) {
  std::string title = "Klotzbrecher 3";
  if (boardNumber != kNoBoardNumber) title += " - Brett " + std::to_string(boardNumber);
  return title;
}

}  // namespace kb
