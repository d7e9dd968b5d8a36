#pragma once

#include <charconv>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

namespace kb::driver {

// The driver's reading of a command line: its words, and numbers with their checks.
// The checks answer "error" and the reason themselves when they fail.
using Words = std::vector<std::string_view>;

Words SplitWords(std::string_view line);

template <typename T>
std::optional<T> ParseNumber(std::string_view word) {
  T value{};
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// An int32 within [low, high].
std::optional<int32_t> ParseInRange(std::string_view word, const char* name, int32_t low,
                                    int32_t high, std::ostream& out);

// Whether the line has exactly `count` words.
bool Expect(const Words& words, size_t count, const char* usage, std::ostream& out);

}  // namespace kb::driver
