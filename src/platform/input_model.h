#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kb::platform {

// 256 bytes indexed by DirectInput key code; bit 0x80 is set while the key is down.
using KeyState = std::array<uint8_t, 256>;

// Mouse motion accumulated since the previous reading, and the two buttons.
// A touch screen puts the pointer where the finger is: then `placed` is set,
// (x, y) is that point, and the motion is what came after it.
struct MouseReading {
  int dx = 0;
  int dy = 0;
  bool left = false;
  bool right = false;
  bool placed = false;
  int x = 0;
  int y = 0;
};

enum class MouseButton { kLeft, kRight };

// Where a key's press comes from: a key is down while any of them holds it.
enum class KeySource { kKeyboard, kPad };

// One change the machine made to the input, as a replay keeps it to make it
// again.
struct InputChange {
  enum class Kind : uint8_t { kKey, kLeftButton, kRightButton, kMove, kLetGo, kClear, kPlace };
  Kind kind = Kind::kKey;
  uint8_t code = 0;   // kKey
  bool down = false;  // kKey and the buttons
  int32_t dx = 0;     // kMove; the point's x for kPlace
  int32_t dy = 0;     // kMove; the point's y for kPlace
  bool operator==(const InputChange&) const = default;
};

// What the game does with a read. Only the game knows: the match reads its
// input about every 10 ms to keep it current, but acts on it only once per
// update.
enum class ReadUse {
  // The game acts on what it reads: a tap counts here, and only here.
  kActs,
  // The same update reads once more (the match's stone swap reads the mouse
  // again): what the update's first read counted is still down, as a press
  // held through the update would be, and a tap made since waits for the
  // next update.
  kActsAgain,
  // The game only keeps its picture of the input current: keys and buttons
  // read as they are held, and a tap waits for a read that acts.
  kKeepsCurrent,
};

// The keyboard and the mouse as every machine hands them to the game: each
// key and button is down while it is held, and a press let go again before
// any read acted on it still counts once, at the first read that acts, however
// late that read comes. A pause (a message, the start of a match, a change of
// screen) ends the taps let go before it; a press still held goes on.
class InputModel {
 public:
  // What arrives from the machine, in the order it happened.
  void ChangeKey(uint8_t code, bool down) { ChangeKeyFrom(KeySource::kKeyboard, code, down); }
  // A key held or let go by the keyboard or by the pad in `pad` (0 or 1).
  void ChangeKeyFrom(KeySource source, uint8_t code, bool down, int pad = 0);
  void ChangeButton(MouseButton button, bool down);
  void Move(int dx, int dy);
  // The pointer goes to (x, y) of the picture, wherever it was.
  void PlaceAt(int x, int y);
  // The window lost the keyboard and mouse: what was held is let go, and a
  // press that no read has acted on yet still counts once.
  void LetGo();
  // A box or dialog took the keyboard and mouse: nothing is held, no tap
  // waits, and motion over the box does not move the game's pointer.
  void Clear();
  // Makes a change again as the machine made it.
  void Apply(const InputChange& change);

  // While `log` is set, every change from the machine is also appended there.
  void RecordChangesInto(std::vector<InputChange>* log) { log_ = log; }
  // Every key, button and the motion not yet read, for a replay to start
  // from: kStateBytes bytes, and kPlacedStateBytes while a placed pointer
  // waits for its read. LoadState takes only what SaveState gave.
  static constexpr size_t kStateBytes = 258 + 8;
  static constexpr size_t kPlacedStateBytes = kStateBytes + 8;
  std::vector<uint8_t> SaveState() const;
  bool LoadState(std::span<const uint8_t> state);

  // The keys for the game. Taps of the keys in `heldBack` wait, even in a read
  // that acts: the game does not look at them this time.
  void ReadKeys(KeyState& keys, ReadUse use, std::span<const uint8_t> heldBack = {});
  // The buttons, and the motion since the last mouse read.
  MouseReading ReadMouse(ReadUse use);
  // A pause has passed: taps let go before now do not act after it.
  void DropTaps();

 private:
  class Level {
   public:
    void Change(bool down) {
      if (down && !held_) unseen_ = true;
      held_ = down;
    }
    bool Read(ReadUse use) {
      switch (use) {
        case ReadUse::kActs:
          counted_ = held_ || unseen_;
          unseen_ = false;
          return counted_;
        case ReadUse::kActsAgain:
          return held_ || counted_;
        case ReadUse::kKeepsCurrent:
          break;
      }
      return held_;
    }
    void LetGo() { held_ = false; }
    uint8_t Bits() const {
      return static_cast<uint8_t>((held_ ? 1 : 0) | (unseen_ ? 2 : 0) | (counted_ ? 4 : 0));
    }
    void SetBits(uint8_t bits) {
      held_ = (bits & 1) != 0;
      unseen_ = (bits & 2) != 0;
      counted_ = (bits & 4) != 0;
    }
    // A press still held keeps its claim: let go before the next read, it is
    // a tap that began after the pause.
    void DropTap() {
      if (held_) return;
      unseen_ = false;
      counted_ = false;
    }

   private:
    bool held_ = false;
    // Pressed, and not yet seen by a read that acts.
    bool unseen_ = false;
    // Down at the last read that acted.
    bool counted_ = false;
  };

  Level& Button(MouseButton button) { return button == MouseButton::kLeft ? left_ : right_; }

  // The key's level changes: every change that reaches the game passes here.
  void SetKey(uint8_t code, bool down);

  std::array<Level, 256> keys_{};
  // Which sources hold each key: bit 0 the keyboard, bits 1 and 2 the pads.
  std::array<uint8_t, 256> holders_{};
  Level left_;
  Level right_;
  int dx_ = 0;
  int dy_ = 0;
  bool placed_ = false;
  int placedX_ = 0;
  int placedY_ = 0;
  std::vector<InputChange>* log_ = nullptr;
};

}  // namespace kb::platform
