#include "platform/input_model.h"

#include <algorithm>

#include "core/little_endian.h"

namespace kb::platform {
namespace {

// A replay's journal is outside data, and its motion could add up
// beyond an int; no hand moves a mouse a million pixels between two reads.
constexpr int64_t kMostMotion = 1 << 20;

int AddMotion(int64_t sum, int64_t motion) {
  return static_cast<int>(std::clamp(sum + motion, -kMostMotion, kMostMotion));
}

}  // namespace

void InputModel::ChangeKeyFrom(KeySource source, uint8_t code, bool down, int pad) {
  const auto bit =
      static_cast<uint8_t>(source == KeySource::kKeyboard ? 1u : 2u << (pad == 0 ? 0 : 1));
  const bool held = holders_[code] != 0;
  holders_[code] = static_cast<uint8_t>(down ? holders_[code] | bit : holders_[code] & ~bit);
  // Pressed again by the source that holds it (the machine sends no repeats
  // here), a key goes on as it was.
  if (down || held != (holders_[code] != 0)) SetKey(code, holders_[code] != 0);
}

void InputModel::SetKey(uint8_t code, bool down) {
  if (log_ != nullptr)
    log_->push_back({.kind = InputChange::Kind::kKey, .code = code, .down = down});
  keys_[code].Change(down);
}

void InputModel::ChangeButton(MouseButton button, bool down) {
  if (log_ != nullptr) {
    log_->push_back({.kind = button == MouseButton::kLeft ? InputChange::Kind::kLeftButton
                                                          : InputChange::Kind::kRightButton,
                     .down = down});
  }
  Button(button).Change(down);
}

void InputModel::Move(int dx, int dy) {
  if (log_ != nullptr && (dx != 0 || dy != 0)) {
    log_->push_back({.kind = InputChange::Kind::kMove, .dx = dx, .dy = dy});
  }
  dx_ = AddMotion(dx_, dx);
  dy_ = AddMotion(dy_, dy);
}

void InputModel::PlaceAt(int x, int y) {
  if (log_ != nullptr) log_->push_back({.kind = InputChange::Kind::kPlace, .dx = x, .dy = y});
  placed_ = true;
  placedX_ = AddMotion(0, x);
  placedY_ = AddMotion(0, y);
  dx_ = 0;
  dy_ = 0;
}

void InputModel::Clear() {
  std::vector<InputChange>* log = log_;
  if (log != nullptr) log->push_back({.kind = InputChange::Kind::kClear});
  *this = InputModel{};
  log_ = log;
}

void InputModel::Apply(const InputChange& change) {
  switch (change.kind) {
    case InputChange::Kind::kKey:
      // What the journal kept is what reached the game, whoever held it.
      holders_[change.code] = change.down ? 1 : 0;
      SetKey(change.code, change.down);
      break;
    case InputChange::Kind::kLeftButton:
      ChangeButton(MouseButton::kLeft, change.down);
      break;
    case InputChange::Kind::kRightButton:
      ChangeButton(MouseButton::kRight, change.down);
      break;
    case InputChange::Kind::kMove:
      Move(change.dx, change.dy);
      break;
    case InputChange::Kind::kLetGo:
      LetGo();
      break;
    case InputChange::Kind::kClear:
      Clear();
      break;
    case InputChange::Kind::kPlace:
      PlaceAt(change.dx, change.dy);
      break;
  }
}

std::vector<uint8_t> InputModel::SaveState() const {
  std::vector<uint8_t> state;
  state.reserve(kStateBytes);
  for (const Level& key : keys_) state.push_back(key.Bits());
  state.push_back(left_.Bits());
  state.push_back(right_.Bits());
  PutU32(state, static_cast<uint32_t>(dx_));
  PutU32(state, static_cast<uint32_t>(dy_));
  if (placed_) {
    PutU32(state, static_cast<uint32_t>(placedX_));
    PutU32(state, static_cast<uint32_t>(placedY_));
  }
  return state;
}

bool InputModel::LoadState(std::span<const uint8_t> state) {
  if (state.size() != kStateBytes && state.size() != kPlacedStateBytes) return false;
  for (size_t i = 0; i < keys_.size(); ++i) keys_[i].SetBits(state[i]);
  left_.SetBits(state[256]);
  right_.SetBits(state[257]);
  dx_ = AddMotion(0, static_cast<int32_t>(GetU32(state.data() + 258)));
  dy_ = AddMotion(0, static_cast<int32_t>(GetU32(state.data() + 262)));
  placed_ = state.size() == kPlacedStateBytes;
  if (placed_) {
    placedX_ = AddMotion(0, static_cast<int32_t>(GetU32(state.data() + 266)));
    placedY_ = AddMotion(0, static_cast<int32_t>(GetU32(state.data() + 270)));
  }
  return true;
}

void InputModel::LetGo() {
  if (log_ != nullptr) log_->push_back({.kind = InputChange::Kind::kLetGo});
  holders_.fill(0);
  for (Level& key : keys_) key.LetGo();
  left_.LetGo();
  right_.LetGo();
}

void InputModel::ReadKeys(KeyState& keys, ReadUse use, std::span<const uint8_t> heldBack) {
  for (size_t code = 0; code < keys.size(); ++code) {
    const bool waits = std::find(heldBack.begin(), heldBack.end(), code) != heldBack.end();
    keys[code] = keys_[code].Read(waits ? ReadUse::kKeepsCurrent : use) ? 0x80 : 0;
  }
}

MouseReading InputModel::ReadMouse(ReadUse use) {
  MouseReading reading{dx_, dy_, left_.Read(use), right_.Read(use), placed_, placedX_, placedY_};
  dx_ = 0;
  dy_ = 0;
  placed_ = false;
  return reading;
}

void InputModel::DropTaps() {
  for (Level& key : keys_) key.DropTap();
  left_.DropTap();
  right_.DropTap();
}

}  // namespace kb::platform
