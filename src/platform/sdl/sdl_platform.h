#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input_source.h"
#include "platform/message_box.h"
#include "platform/sdl/message_box_process.h"
#include "platform/sdl/monotonic_ticks.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace kb::platform {

// The real machine: one borderless full-screen window titled "Klotzbrecher 3"
// showing the 1024 x 768 frame letterboxed, the keyboard, relative mouse
// motion, the clock and message boxes.
class SdlGamepads;

class SdlPlatform final : public Clock, public Display, public InputSource, public MessageBoxes {
 public:
  SdlPlatform();
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // False when no window could be made, or none that anybody would see (no
  // display); the reason is on stderr.
  // The game starts in full screen unless `inWindow`; the window's title is
  // "Klotzbrecher 3" unless another is given.
  bool Open(bool inWindow = false, const char* title = "Klotzbrecher 3");
  // What a close request does; by default the program ends at once.
  void SetCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

  static constexpr uint64_t kCounterFrequency = 10000u;
  uint32_t TickCount() override;
  uint32_t MachineTicks() override;
  uint64_t PerformanceCounter() override;
  uint64_t PerformanceFrequency() override;
  void SleepMicroseconds(uint32_t us) override;

  void Present(const uint32_t* pixels) override;
  void PresentRows(const uint32_t* pixels, int firstRow, int endRow) override;

  InputModel& PollInput() override;

  void Show(const char* text, const char* caption) override;

 private:
  void PumpEvents();
  void SetFullScreen(bool fullScreen);
  // The kept frame, stretched to the window again.
  void ShowWholeFrame();
  void PaceToSixtyHertz();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_ = nullptr;
  MonotonicTicks ticks_;
  uint32_t lastPump_ = UINT32_MAX;
  uint64_t nextPresent_ = 0;
  // The window lost its picture (uncovered, resized, shown again) and needs
  // the frame once more even when it has not changed.
  bool repaintNeeded_ = false;
  // Whether the frame texture holds a whole frame yet.
  bool shownOnce_ = false;
  bool fullScreen_ = true;
  // Whether a window manager runs, which alone can make a window full screen.
  bool managed_ = true;
  InputModel input_;
  std::unique_ptr<SdlGamepads> pads_;
  std::function<void()> onClose_;
  // The box on screen while Show waits for its answer.
  MessageBoxProcess box_;
};

}  // namespace kb::platform
