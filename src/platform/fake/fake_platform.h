#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input_source.h"
#include "platform/message_box.h"

namespace kb::platform {

// Thrown into a running screen when its simulated time runs out, so that a
// screen that would never end fails its test quickly instead of hanging.
struct SimulatedTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A scripted machine for tests: the clock moves only when the game waits,
// presents or polls; keys, mouse motion and buttons change at scripted
// simulated times, as the clock passes them, through the same input model as
// the real machines; every presented frame is counted and the last one kept.
class FakePlatform final : public Clock, public Display, public InputSource, public MessageBoxes {
 public:
  struct Costs {
    uint32_t presentUs = 16667;  // one frame of a 60 Hz display
    uint32_t pollUs = 1;         // a keyboard or mouse poll
    uint32_t tickReadUs = 0;     // reading the clock
  };

  struct Message {
    std::string text;
    std::string caption;
  };

  explicit FakePlatform(uint64_t timeLimitMs = 600000, uint32_t startTicks = 5000);

  // Input script, in simulated milliseconds since construction.
  void KeyDownAt(uint64_t ms, uint8_t code);
  void KeyUpAt(uint64_t ms, uint8_t code);
  void KeyPressAt(uint64_t ms, uint8_t code, uint64_t holdMs);
  void MouseMoveAt(uint64_t ms, int dx, int dy);
  void ButtonAt(uint64_t ms, bool left, bool down);
  void ClickAt(uint64_t ms, bool left, uint64_t holdMs);
  // Called after every presented frame, with its number (from 1) and pixels.
  void OnPresent(std::function<void(uint64_t, const uint32_t*)> hook) {
    onPresent_ = std::move(hook);
  }

  Costs& SimulatedCosts() { return costs_; }
  uint64_t NowMs() const { return nowUs_ / 1000u; }
  uint64_t FramesPresented() const { return frames_; }
  const std::vector<uint32_t>& LastFrame() const { return lastFrame_; }
  const std::vector<Message>& Messages() const { return messages_; }
  uint64_t InputPolls() const { return polls_; }

  uint32_t TickCount() override;
  uint64_t PerformanceCounter() override;
  uint64_t PerformanceFrequency() override { return 1000000u; }
  void SleepMicroseconds(uint32_t us) override { Advance(us); }
  void Present(const uint32_t* pixels) override;
  InputModel& PollInput() override;
  void Show(const char* text, const char* caption) override;

 private:
  enum class Kind { KeyDown, KeyUp, Move, LeftDown, LeftUp, RightDown, RightUp };
  struct Event {
    uint64_t us;
    Kind kind;
    int a;
    int b;
  };

  void Schedule(uint64_t ms, Kind kind, int a = 0, int b = 0);
  void Advance(uint64_t us);
  void ApplyDueEvents();

  Costs costs_;
  uint64_t nowUs_ = 0;
  uint64_t limitUs_;
  uint32_t startTicks_;
  std::vector<Event> events_;  // kept sorted by time
  size_t nextEvent_ = 0;
  InputModel input_;
  uint64_t frames_ = 0;
  uint64_t polls_ = 0;
  std::vector<uint32_t> lastFrame_;
  std::vector<Message> messages_;
  std::function<void(uint64_t, const uint32_t*)> onPresent_;
};

}  // namespace kb::platform
