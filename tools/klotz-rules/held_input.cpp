#include "held_input.h"

#include <ostream>

namespace kb::driver {
namespace {

// The screen's last pixel and one beyond, where the clamped pointer may stand.
constexpr int32_t kPointerMaxX = 1024;
constexpr int32_t kPointerMaxY = 768;

bool* KeyNamed(PlayerInput& input, std::string_view name) {
  struct NamedKey {
    const char* name;
    bool PlayerInput::*key;
  };
  static constexpr NamedKey kKeys[] = {
      {"left", &PlayerInput::Left},
      {"right", &PlayerInput::Right},
      {"up", &PlayerInput::Up},
      {"down", &PlayerInput::Down},
      {"return", &PlayerInput::Return},
      {"lctrl", &PlayerInput::LeftCtrl},
      {"rctrl", &PlayerInput::RightCtrl},
      {"space", &PlayerInput::Space},
      {"numpad0", &PlayerInput::Numpad0},
      {"w", &PlayerInput::W},
      {"a", &PlayerInput::A},
      {"s", &PlayerInput::S},
      {"d", &PlayerInput::D},
  };
  for (const NamedKey& key : kKeys) {
    if (name == key.name) return &(input.*key.key);
  }
  return nullptr;
}

}  // namespace

std::optional<PlayerInput> ParseHeldInput(const Words& words, size_t first, std::ostream& out) {
  PlayerInput input;
  for (size_t i = first; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word == "click" || word == "rclick" || word == "pointer") {
      if (i + 2 >= words.size()) {
        out << "error " << word << " needs X and Y\n";
        return std::nullopt;
      }
      const auto x = ParseInRange(words[i + 1], "X", 0, kPointerMaxX, out);
      if (!x) return std::nullopt;
      const auto y = ParseInRange(words[i + 2], "Y", 0, kPointerMaxY, out);
      if (!y) return std::nullopt;
      input.PointerX = *x;
      input.PointerY = *y;
      if (word == "click") input.LeftButton = 1;
      if (word == "rclick") input.RightButton = 1;
      i += 2;
      continue;
    }
    bool* key = KeyNamed(input, word);
    if (key == nullptr) {
      out << "error unknown key: " << word << '\n';
      return std::nullopt;
    }
    *key = true;
  }
  return input;
}

}  // namespace kb::driver
