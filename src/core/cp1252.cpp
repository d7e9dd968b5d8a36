#include "core/cp1252.h"

#include <cstdint>

namespace kb {
namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= 0x80 && b < 0xA0) {
      const uint16_t cp = cp1252_internal::kHighControls[b - 0x80];
      AppendUtf8(out, cp != 0 ? cp : 0xFFFD);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string GamePathToUtf8(std::string_view gamePath) {
  std::string out = Cp1252ToUtf8(gamePath);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace kb
