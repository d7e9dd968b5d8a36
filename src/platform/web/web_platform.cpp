#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/cp1252.h"
#include "core/report.h"
#include "platform/key_table.h"

namespace kb::platform {
namespace {

constexpr const char* kCanvas = "#canvas";
// A frame shown sooner than this after the one before waits for the display's
// next refresh as well, so that screens that move a step per frame keep the
// game's 60 steps a second on displays that refresh faster.
constexpr double kMinFrameMs = 1000.0 / 60.0 - 1.5;
constexpr double kLongestWithoutYieldMs = 100.0;
// How often a wait reads the pads while one is in use: a quick press of a
// button (a thumb's tap lasts 40 ms or more) is never missed between reads.
constexpr double kPadReadMs = 10.0;

// clang-format off
EM_JS(void, kb_put_rows, (const uint8_t* rgba, int firstRow, int rows), {
  const canvas = Module["canvas"];
  if (!canvas) return;
  if (!Module.kbContext) Module.kbContext = canvas.getContext("2d", {alpha: false});
  const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, 1024 * 4 * rows);
  Module.kbContext.putImageData(new ImageData(bytes, 1024, rows), 0, firstRow);
});

EM_ASYNC_JS(void, kb_next_animation_frame, (), {
  await new Promise(resolve => requestAnimationFrame(resolve));
});

EM_ASYNC_JS(void, kb_show_dialog, (const char* caption, const char* text), {
  const show = Module["kbShowMessage"];
  if (show) {
    await show(UTF8ToString(caption), UTF8ToString(text));
  } else {
    alert(UTF8ToString(caption) + "\n\n" + UTF8ToString(text));
  }
});

EM_JS(double, kb_date_now, (), { return Date.now(); });

// The two pads the game plays with, read from the browser's Gamepad API: for
// each slot its buttons (in the order of PadButton) and its left stick. A
// pad keeps its slot while it stays; the next to come takes a slot let free.
EM_JS(int, kb_read_pads, (int* out), {
  // The browser shows the page a pad only after one of its buttons was
  // pressed, and says so; until then reading costs and finds nothing.
  // Answers whether the pads were read.
  if (!Module.kbPadSeen) {
    if (Module.kbPadSeen === undefined) {
      Module.kbPadSeen = false;
      window.addEventListener("gamepadconnected", () => { Module.kbPadSeen = true; });
    }
    return 0;
  }
  const pads = navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
  const slots = Module.kbPadSlots || (Module.kbPadSlots = [null, null]);
  const present = (index) => pads.some((pad) => pad && pad.connected && pad.index === index);
  for (let s = 0; s < slots.length; s++) {
    if (slots[s] !== null && !present(slots[s])) slots[s] = null;
  }
  for (const pad of pads) {
    if (!pad || !pad.connected || slots.includes(pad.index)) continue;
    const free = slots.indexOf(null);
    if (free >= 0) slots[free] = pad.index;
  }
  // The standard mapping's numbers of A, B, X, Y, Back, Start, the shoulders
  // and the d-pad.
  const order = [0, 1, 2, 3, 8, 9, 4, 5, 12, 13, 14, 15];
  for (let s = 0; s < slots.length; s++) {
    const pad = pads.find((p) => p && p.connected && p.index === slots[s]);
    let bits = 0;
    let x = 0;
    let y = 0;
    if (pad) {
      order.forEach((b, i) => {
        if (pad.buttons[b] && pad.buttons[b].pressed) bits |= 1 << i;
      });
      x = Math.round(Math.max(-1, Math.min(1, pad.axes[0] || 0)) * 32767);
      y = Math.round(Math.max(-1, Math.min(1, pad.axes[1] || 0)) * 32767);
    }
    HEAP32[(out >> 2) + s * 3] = bits;
    HEAP32[(out >> 2) + s * 3 + 1] = x;
    HEAP32[(out >> 2) + s * 3 + 2] = y;
  }
  return 1;
});

EM_JS(void, kb_show_board, (const char* title, unsigned number), {
  document.title = UTF8ToString(title);
  const address = new URL(location.href);
  address.searchParams.set("board", String(number));
  history.replaceState(history.state, "", address.href);
});
// clang-format on

WebPlatform* Self(void* user) {
  return static_cast<WebPlatform*>(user);
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* user) {
  const uint8_t code = KeyOfBrowserCode(event->code);
  if (code == 0) return EM_FALSE;
  if (!event->repeat) Self(user)->KeyChanged(code, type == EMSCRIPTEN_EVENT_KEYDOWN);
  // Reloading and the developer tools stay the browser's; every other key the
  // game knows is the game's (F1 is its screenshot, not the browser's help).
  const std::string_view name(event->code);
  return name == "F5" || name == "F11" || name == "F12" ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnMouseButton(int type, const EmscriptenMouseEvent* event, void* user) {
  Self(user)->ButtonChanged(event->button, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
  return EM_FALSE;
}

// The canvas's CSS pixels to the picture's, as the page scales it.
double PictureScale() {
  double width = 0.0;
  double height = 0.0;
  if (emscripten_get_element_css_size(kCanvas, &width, &height) != EMSCRIPTEN_RESULT_SUCCESS ||
      width <= 0.0) {
    return 1.0;
  }
  return kScreenWidth / width;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void* user) {
  // The game's pointer moves as far across the picture as the browser's
  // would across the canvas the page scales it to.
  const double scale = PictureScale();
  Self(user)->Moved(event->movementX * scale, event->movementY * scale);
  return EM_FALSE;
}

// Handled here, a touch makes no mouse events of the browser's, and the page
// neither scrolls nor zooms under the fingers.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* event, void* user) {
  TouchGestures& touch = Self(user)->Touch();
  const double scale = PictureScale();
  for (int i = 0; i < event->numTouches; ++i) {
    const EmscriptenTouchPoint& point = event->touches[i];
    if (!point.isChanged) continue;
    const int x = static_cast<int>(static_cast<double>(point.targetX) * scale);
    const int y = static_cast<int>(static_cast<double>(point.targetY) * scale);
    switch (type) {
      case EMSCRIPTEN_EVENT_TOUCHSTART:
        touch.Down(point.identifier, x, y, emscripten_get_now());
        break;
      case EMSCRIPTEN_EVENT_TOUCHMOVE:
        touch.Moved(point.identifier, x, y);
        break;
      case EMSCRIPTEN_EVENT_TOUCHEND:
        touch.Up(point.identifier);
        break;
      default:
        touch.Cancelled(point.identifier);
        break;
    }
  }
  return EM_TRUE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* user) {
  // Keys let go in another window never reach this page.
  Self(user)->LetEverythingGo();
  return EM_FALSE;
}

}  // namespace

WebPlatform::WebPlatform()
    : start_(emscripten_get_now()), canvas_(static_cast<size_t>(kScreenPixels) * 4u, 255) {
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, this, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(window, this, EM_TRUE, OnKey);
  emscripten_set_mousedown_callback(kCanvas, this, EM_TRUE, OnMouseButton);
  // A button let go outside the canvas still ends its press.
  emscripten_set_mouseup_callback(window, this, EM_TRUE, OnMouseButton);
  emscripten_set_mousemove_callback(window, this, EM_TRUE, OnMouseMove);
  emscripten_set_blur_callback(window, this, EM_TRUE, OnBlur);
  emscripten_set_touchstart_callback(kCanvas, this, EM_TRUE, OnTouch);
  emscripten_set_touchmove_callback(kCanvas, this, EM_TRUE, OnTouch);
  emscripten_set_touchend_callback(kCanvas, this, EM_TRUE, OnTouch);
  emscripten_set_touchcancel_callback(kCanvas, this, EM_TRUE, OnTouch);
}

uint32_t WebPlatform::TickCount() {
  return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now() - start_));
}

uint32_t WebPlatform::MachineTicks() {
  return static_cast<uint32_t>(static_cast<uint64_t>(kb_date_now()));
}

uint64_t WebPlatform::PerformanceCounter() {
  return static_cast<uint64_t>(emscripten_get_now() * 10.0);
}

void WebPlatform::SleepMicroseconds(uint32_t us) {
  // The browser handles its events only while the game waits. Keys and the
  // mouse are events, kept until the game polls; a pad's buttons are a state
  // that a press between two reads would leave unseen, so while a pad is in
  // use the wait reads them in between.
  const double end = emscripten_get_now() + std::max(1u, (us + 500u) / 1000u);
  for (;;) {
    const double left = end - emscripten_get_now();
    const double rest = padsInUse_ ? std::min(left, kPadReadMs) : left;
    emscripten_sleep(static_cast<unsigned>(std::max(1L, std::lround(rest))));
    lastYield_ = emscripten_get_now();
    ReadPads();
    if (lastYield_ >= end - 0.5) break;
  }
}

// The browser does not tell the page when a pad's button goes down; its
// state is read at every poll and every wait, so that a press is seen
// however rarely the screen polls, as a key's is.
void WebPlatform::ReadPads() {
  std::array<int, 3 * kPadSlots> pads{};
  padsInUse_ = kb_read_pads(pads.data()) != 0;
  for (int slot = 0; slot < kPadSlots; ++slot) {
    const int* pad = pads.data() + 3 * slot;
    padKeys_[static_cast<size_t>(slot)].Update(
        input_, slot,
        {static_cast<uint16_t>(pad[0]), static_cast<int16_t>(pad[1]),
         static_cast<int16_t>(pad[2])});
  }
}

void WebPlatform::WaitForNextFrame() {
  do {
    kb_next_animation_frame();
  } while (emscripten_get_now() < nextPresent_);
  lastYield_ = emscripten_get_now();
  ReadPads();
  nextPresent_ = lastYield_ + kMinFrameMs;
}

void WebPlatform::Present(const uint32_t* pixels) {
  PresentRows(pixels, 0, kScreenHeight);
}

void WebPlatform::PresentRows(const uint32_t* pixels, int firstRow, int endRow) {
  if (!shownOnce_) {
    firstRow = 0;
    endRow = kScreenHeight;
    shownOnce_ = true;
  }
  if (firstRow < endRow) {
    // ARGB words to the canvas's bytes; every pixel of the frame is opaque.
    const size_t first = static_cast<size_t>(firstRow) * kScreenWidth;
    const size_t end = static_cast<size_t>(endRow) * kScreenWidth;
    uint8_t* out = canvas_.data() + first * 4u;
    for (size_t i = first; i < end; ++i, out += 4) {
      const uint32_t pixel = pixels[i];
      out[0] = static_cast<uint8_t>(pixel >> 16);
      out[1] = static_cast<uint8_t>(pixel >> 8);
      out[2] = static_cast<uint8_t>(pixel);
    }
    kb_put_rows(canvas_.data() + first * 4u, firstRow, endRow - firstRow);
    WaitForNextFrame();
    return;
  }
  // The canvas already shows this picture: the browser need not be asked for
  // a frame (which keeps it drawing at the display's rate for a while). The
  // game is paced alike, by a timer, and not at all when the frame before is
  // a display frame's time ago already (an idle menu's, every 100 ms).
  const double now = emscripten_get_now();
  if (now < nextPresent_) {
    SleepMicroseconds(static_cast<uint32_t>(std::lround((nextPresent_ - now) * 1000.0)));
  }
  nextPresent_ = emscripten_get_now() + kMinFrameMs;
}

void WebPlatform::KeyChanged(uint8_t code, bool down) {
  input_.ChangeKey(code, down);
}

void WebPlatform::ButtonChanged(int button, bool down) {
  if (button == 0) input_.ChangeButton(MouseButton::kLeft, down);
  if (button == 2) input_.ChangeButton(MouseButton::kRight, down);
}

void WebPlatform::Moved(double dx, double dy) {
  pendingDx_ += dx;
  pendingDy_ += dy;
}

void WebPlatform::LetEverythingGo() {
  input_.LetGo();
  touch_.Forget();
}

void WebPlatform::GiveTheBrowserItsTurn() {
  // A loop that reads the input without ever waiting would otherwise freeze
  // the page, and no key could ever reach it.
  if (emscripten_get_now() - lastYield_ > kLongestWithoutYieldMs) emscripten_sleep(0);
}

InputModel& WebPlatform::PollInput() {
  GiveTheBrowserItsTurn();
  ReadPads();
  touch_.Tick(emscripten_get_now());
  const double dx = std::trunc(pendingDx_);
  const double dy = std::trunc(pendingDy_);
  pendingDx_ -= dx;
  pendingDy_ -= dy;
  input_.Move(static_cast<int>(dx), static_cast<int>(dy));
  return input_;
}

void WebPlatform::Show(const char* text, const char* caption) {
  ReportMessageBox(caption, text);
  kb_show_dialog(Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
  // The dialog took the keyboard and the mouse: what was held when it opened
  // was let go over the dialog.
  input_.Clear();
  touch_.Forget();
  pendingDx_ = 0.0;
  pendingDy_ = 0.0;
}

void ShowBoardInPage(uint32_t boardNumber, const char* title) {
  kb_show_board(title, boardNumber);
}

}  // namespace kb::platform
