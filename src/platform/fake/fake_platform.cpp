#include "platform/fake/fake_platform.h"

#include <algorithm>

#include "core/report.h"

namespace kb::platform {

FakePlatform::FakePlatform(uint64_t timeLimitMs, uint32_t startTicks)
    : limitUs_(timeLimitMs * 1000u), startTicks_(startTicks) {}

void FakePlatform::Schedule(uint64_t ms, Kind kind, int a, int b) {
  const Event event{ms * 1000u, kind, a, b};
  auto at =
      std::upper_bound(events_.begin() + static_cast<std::ptrdiff_t>(nextEvent_), events_.end(),
                       event.us, [](uint64_t us, const Event& e) { return us < e.us; });
  events_.insert(at, event);
}

void FakePlatform::KeyDownAt(uint64_t ms, uint8_t code) {
  Schedule(ms, Kind::KeyDown, code);
}
void FakePlatform::KeyUpAt(uint64_t ms, uint8_t code) {
  Schedule(ms, Kind::KeyUp, code);
}
void FakePlatform::KeyPressAt(uint64_t ms, uint8_t code, uint64_t holdMs) {
  KeyDownAt(ms, code);
  KeyUpAt(ms + holdMs, code);
}
void FakePlatform::MouseMoveAt(uint64_t ms, int dx, int dy) {
  Schedule(ms, Kind::Move, dx, dy);
}
void FakePlatform::ButtonAt(uint64_t ms, bool left, bool down) {
  Schedule(
      ms, left ? (down ? Kind::LeftDown : Kind::LeftUp) : (down ? Kind::RightDown : Kind::RightUp));
}
void FakePlatform::ClickAt(uint64_t ms, bool left, uint64_t holdMs) {
  ButtonAt(ms, left, true);
  ButtonAt(ms + holdMs, left, false);
}

void FakePlatform::Advance(uint64_t us) {
  nowUs_ += us;
  if (nowUs_ > limitUs_) {
    throw SimulatedTimeout("simulated time limit of " + std::to_string(limitUs_ / 1000u) +
                           " ms reached");
  }
  ApplyDueEvents();
}

void FakePlatform::ApplyDueEvents() {
  while (nextEvent_ < events_.size() && events_[nextEvent_].us <= nowUs_) {
    const Event& e = events_[nextEvent_++];
    switch (e.kind) {
      case Kind::KeyDown:
      case Kind::KeyUp:
        input_.ChangeKey(static_cast<uint8_t>(e.a), e.kind == Kind::KeyDown);
        break;
      case Kind::Move:
        input_.Move(e.a, e.b);
        break;
      case Kind::LeftDown:
      case Kind::LeftUp:
        input_.ChangeButton(MouseButton::kLeft, e.kind == Kind::LeftDown);
        break;
      case Kind::RightDown:
      case Kind::RightUp:
        input_.ChangeButton(MouseButton::kRight, e.kind == Kind::RightDown);
        break;
    }
  }
}

uint32_t FakePlatform::TickCount() {
  Advance(costs_.tickReadUs);
  return startTicks_ + static_cast<uint32_t>(nowUs_ / 1000u);
}

uint64_t FakePlatform::PerformanceCounter() {
  Advance(costs_.tickReadUs);
  return nowUs_;
}

void FakePlatform::Present(const uint32_t* pixels) {
  Advance(costs_.presentUs);
  ++frames_;
  lastFrame_.assign(pixels, pixels + kScreenPixels);
  if (onPresent_) onPresent_(frames_, pixels);
}

InputModel& FakePlatform::PollInput() {
  Advance(costs_.pollUs);
  ++polls_;
  return input_;
}

void FakePlatform::Show(const char* text, const char* caption) {
  // Standard error hears of it as it does from the real platforms.
  ReportMessageBox(caption, text);
  messages_.push_back({text, caption});
}

}  // namespace kb::platform
