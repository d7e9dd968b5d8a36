#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/input_source.h"

namespace kb {

// A typed text: at most 31 characters and always a terminating zero.
constexpr int32_t kMaxTextLength = 31;
using TextBuffer = std::array<char, kMaxTextLength + 1>;

// One step of typing on the key state as the last keyboard read left it: every
// digit, the space and every letter that is down is appended in that fixed
// order (upper case with a shift key), then backspace takes the last character
// away. Held keys repeat at the caller's step rhythm. Returns the new length.
int32_t AppendTypedKeys(int32_t length, TextBuffer& text, const platform::KeyState& keys);

// Whether typing can give this text: at most 31 digits, letters and spaces.
bool IsTypedText(std::string_view text);

}  // namespace kb
