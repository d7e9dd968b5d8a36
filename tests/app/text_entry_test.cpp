#include <gtest/gtest.h>

#include <string>

#include "extras/text_entry.h"
#include "input/key_codes.h"

namespace kb {
namespace {

constexpr uint8_t kB = 0x30;
constexpr uint8_t kK = 0x25;
constexpr uint8_t k5 = 0x06;
constexpr uint8_t k7 = 0x08;
constexpr uint8_t kY = 0x15;  // the key labelled Z on a German keyboard

struct Typing {
  TextBuffer text{};
  int32_t length = 0;
  // One step with exactly these keys down.
  std::string Step(std::initializer_list<uint8_t> down) {
    platform::KeyState keys{};
    for (uint8_t code : down) keys[code] = key::kDownBit;
    length = AppendTypedKeys(length, text, keys);
    return text.data();
  }
};

TEST(AppendTypedKeys, ShiftMakesCapitalsOnlyAndKeysDownTogetherFollowTheTableOrder) {
  Typing t;
  EXPECT_EQ(t.Step({key::kLeftShift, kK}), "K");
  EXPECT_EQ(t.Step({key::kRightShift, k5}), "K5");
  // Main-block and keypad 7 are one character.
  EXPECT_EQ(t.Step({k7, key::kNumpad7}), "K57");
  // 'b' and 'a' down together append "ab", whichever went down first.
  EXPECT_EQ(t.Step({kB, key::kA}), "K57ab");
  // Digits, then the space, then the letters.
  EXPECT_EQ(t.Step({kY, key::kSpace, key::k1}), "K57ab1 y");
  EXPECT_EQ(t.length, 8);
  // Nothing down, and keys that type nothing, change nothing.
  EXPECT_EQ(t.Step({}), "K57ab1 y");
  EXPECT_EQ(t.Step({key::kEscape, key::kReturn, key::kLeftShift}), "K57ab1 y");
}

TEST(AppendTypedKeys, BackspaceTakesTheLastCharacterAndCancelsOneTypedWithIt) {
  Typing t;
  EXPECT_EQ(t.Step({key::kBackspace}), "");
  EXPECT_EQ(t.length, 0);
  t.Step({key::kA});
  t.Step({kB});
  EXPECT_EQ(t.Step({kK, key::kBackspace}), "ab");
  EXPECT_EQ(t.length, 2);
  EXPECT_EQ(t.Step({key::kBackspace}), "a");
  EXPECT_EQ(t.text[1], '\0');
}

TEST(AppendTypedKeys, StopsAt31CharactersAndKeepsTheTerminatingZero) {
  Typing t;
  for (int i = 0; i < 30; ++i) t.Step({key::kA});
  // Three keys at once with room for one: only the first in table order.
  EXPECT_EQ(t.Step({key::k0, key::kQ, key::kW}), std::string(30, 'a') + "0");
  EXPECT_EQ(t.length, 31);
  EXPECT_EQ(t.text[31], '\0');
  EXPECT_EQ(t.Step({kB}), std::string(30, 'a') + "0");
  // At the limit backspace still works, and a letter with it does not come in.
  EXPECT_EQ(t.Step({kB, key::kBackspace}), std::string(30, 'a'));
  EXPECT_EQ(t.length, 30);
}

}  // namespace
}  // namespace kb
