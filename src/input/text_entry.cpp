#include "input/text_entry.h"

#include <algorithm>

#include "core/key_codes.h"

namespace kb {
namespace {

struct TypedKey {
  char character;
  uint8_t mainKey;
  uint8_t padKey;  // 0: none
};

// DirectInput codes name US key positions, so on a German keyboard the key
// labelled Z types 'y' and the one labelled Y types 'z'. The order is the
// order in which keys held together are appended.
constexpr std::array<TypedKey, 37> kTypedKeys = {{
    {'0', 0x0B, 0x52}, {'1', 0x02, 0x4F}, {'2', 0x03, 0x50}, {'3', 0x04, 0x51}, {'4', 0x05, 0x4B},
    {'5', 0x06, 0x4C}, {'6', 0x07, 0x4D}, {'7', 0x08, 0x47}, {'8', 0x09, 0x48}, {'9', 0x0A, 0x49},
    {' ', 0x39, 0},    {'a', 0x1E, 0},    {'b', 0x30, 0},    {'c', 0x2E, 0},    {'d', 0x20, 0},
    {'e', 0x12, 0},    {'f', 0x21, 0},    {'g', 0x22, 0},    {'h', 0x23, 0},    {'i', 0x17, 0},
    {'j', 0x24, 0},    {'k', 0x25, 0},    {'l', 0x26, 0},    {'m', 0x32, 0},    {'n', 0x31, 0},
    {'o', 0x18, 0},    {'p', 0x19, 0},    {'q', 0x10, 0},    {'r', 0x13, 0},    {'s', 0x1F, 0},
    {'t', 0x14, 0},    {'u', 0x16, 0},    {'v', 0x2F, 0},    {'w', 0x11, 0},    {'x', 0x2D, 0},
    {'y', 0x15, 0},    {'z', 0x2C, 0},
}};

bool Down(const platform::KeyState& keys, uint8_t code) {
  return code != 0 && (keys[code] & key::kDownBit) != 0;
}

}  // namespace

int32_t AppendTypedKeys(int32_t length, TextBuffer& text, const platform::KeyState& keys) {
  const bool shift = Down(keys, key::kLeftShift) || Down(keys, key::kRightShift);
  for (const TypedKey& typed : kTypedKeys) {
    // MENDED: typing stops at 31 characters; several keys at once near the end
    // must not push out the terminating zero.
    if (length >= kMaxTextLength) break;
    if (!Down(keys, typed.mainKey) && !Down(keys, typed.padKey)) continue;
    const bool letter = typed.character >= 'a' && typed.character <= 'z';
    text[static_cast<size_t>(length)] =
        letter && shift ? static_cast<char>(typed.character - 'a' + 'A') : typed.character;
    ++length;
  }
  if (length >= 1 && Down(keys, key::kBackspace)) {
    --length;
    text[static_cast<size_t>(length)] = '\0';
  }
  return length;
}

bool IsTypedText(std::string_view text) {
  if (text.size() > static_cast<size_t>(kMaxTextLength)) return false;
  for (const char c : text) {
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    const bool typed = std::any_of(kTypedKeys.begin(), kTypedKeys.end(),
                                   [lower](const TypedKey& key) { return key.character == lower; });
    if (!typed) return false;
  }
  return true;
}

}  // namespace kb
