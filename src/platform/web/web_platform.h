#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/gamepad.h"
#include "platform/input_source.h"
#include "platform/message_box.h"
#include "platform/touch_gestures.h"

namespace kb::platform {

// The machine inside a browser page: the frame drawn into the page's canvas
// (which the page scales to the window), the keyboard, relative mouse
// motion and the fingers on a touch screen from the page's events, the
// page's clock and a dialog of the page for message boxes. The game's
// blocking loops give the browser its turn whenever they wait or present.
class WebPlatform final : public Clock, public Display, public InputSource, public MessageBoxes {
 public:
  WebPlatform();
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  uint32_t TickCount() override;
  uint32_t MachineTicks() override;
  uint64_t PerformanceCounter() override;
  // In tenths of a millisecond, as the desktop counts.
  uint64_t PerformanceFrequency() override { return 10000u; }
  void SleepMicroseconds(uint32_t us) override;

  void Present(const uint32_t* pixels) override;
  void PresentRows(const uint32_t* pixels, int firstRow, int endRow) override;

  InputModel& PollInput() override;

  void Show(const char* text, const char* caption) override;

  // Called from the page's event handlers.
  void KeyChanged(uint8_t code, bool down);
  void ButtonChanged(int button, bool down);
  void Moved(double dx, double dy);
  void LetEverythingGo();
  TouchGestures& Touch() { return touch_; }

 private:
  void WaitForNextFrame();
  void GiveTheBrowserItsTurn();

  double start_;
  double lastYield_ = 0.0;
  double nextPresent_ = 0.0;
  // The canvas's bytes (red, green, blue, alpha), kept between frames so that
  // only changed rows are converted.
  std::vector<uint8_t> canvas_;
  bool shownOnce_ = false;
  void ReadPads();

  InputModel input_;
  std::array<PadKeys, kPadSlots> padKeys_{};
  // Whether the browser has shown the page a pad, so that waits read it.
  bool padsInUse_ = false;
  TouchGestures touch_{input_};
  // Motion in the picture's pixels not yet handed to the game; the fraction
  // stays for the next reading.
  double pendingDx_ = 0.0;
  double pendingDy_ = 0.0;
};

// The board being played in the page's title and address (with "today"
// replaced by the day's number), so that it can be passed on.
void ShowBoardInPage(uint32_t boardNumber, const char* title);

}  // namespace kb::platform
