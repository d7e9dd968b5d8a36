#include "driver_words.h"

#include <ostream>

namespace kb::driver {

Words SplitWords(std::string_view line) {
  Words words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) words.push_back(line.substr(start, pos - start));
  }
  return words;
}

std::optional<int32_t> ParseInRange(std::string_view word, const char* name, int32_t low,
                                    int32_t high, std::ostream& out) {
  const auto value = ParseNumber<int32_t>(word);
  if (!value) {
    out << "error " << name << " is not a number: " << word << '\n';
    return std::nullopt;
  }
  if (*value < low || *value > high) {
    out << "error " << name << " must lie in " << low << " to " << high << '\n';
    return std::nullopt;
  }
  return value;
}

bool Expect(const Words& words, size_t count, const char* usage, std::ostream& out) {
  if (words.size() == count) return true;
  out << "error usage: " << usage << '\n';
  return false;
}

}  // namespace kb::driver
