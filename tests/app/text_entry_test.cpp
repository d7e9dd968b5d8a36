#include <gtest/gtest.h>

#include <string>

#include "core/key_codes.h"
#include "input/text_entry.h"

namespace kb {
namespace {

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

TEST(AppendTypedKeys, ShiftKeypadTableOrderAndBackspace) {
  Typing t;
  EXPECT_EQ(t.Step({key::kBackspace}), "");  // nothing to take away
  EXPECT_EQ(t.Step({key::kLeftShift, 0x25}), "K");
  EXPECT_EQ(t.Step({key::kRightShift, 0x06}), "K5");    // shift leaves digits alone
  EXPECT_EQ(t.Step({0x08, key::kNumpad7}), "K57");      // one '7' from both keys
  EXPECT_EQ(t.Step({0x30, key::kA}), "K57ab");          // table order, not press order
  EXPECT_EQ(t.Step({0x25, key::kBackspace}), "K57ab");  // the two cancel out
  EXPECT_EQ(t.Step({key::kBackspace}), "K57a");
  EXPECT_EQ(t.length, 4);
}

TEST(AppendTypedKeys, StopsAt31CharactersAndKeepsTheTerminatingZero) {
  Typing t;
  for (int i = 0; i < 30; ++i) t.Step({key::kA});
  // Three keys at once with room for one: only the first in table order.
  EXPECT_EQ(t.Step({key::k0, key::kQ, key::kW}), std::string(30, 'a') + "0");
  EXPECT_EQ(t.text[31], '\0');
  EXPECT_EQ(t.Step({0x30}), std::string(30, 'a') + "0");
  EXPECT_EQ(t.Step({key::kBackspace}), std::string(30, 'a'));
}

}  // namespace
}  // namespace kb
