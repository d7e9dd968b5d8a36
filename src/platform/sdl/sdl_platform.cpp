#include "platform/sdl/sdl_platform.h"

#include <SDL2/SDL.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "core/cp1252.h"
#include "core/report.h"
#include "platform/key_table.h"
#include "platform/sdl/sdl_gamepads.h"
#include "platform/sdl/window_manager.h"

namespace kb::platform {
namespace {

// SDL's scancodes are the keys' USB HID usages, by which the key table knows them.
static_assert(SDL_SCANCODE_A == 4 && SDL_SCANCODE_RETURN == 40 && SDL_SCANCODE_KP_0 == 98 &&
              SDL_SCANCODE_LCTRL == 224 && SDL_SCANCODE_RGUI == 231);

void ReportSdlError(const char* what) {
  ReportProblem(std::string(what) + ": " + SDL_GetError());
}

// Whether an OpenGL renderer draws with Mesa's software rasteriser, as on
// virtual machines and servers without a graphics card.
bool DrawsWithSoftwareGl(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr) return false;
  if (std::string_view(info.name).substr(0, 6) != "opengl") return false;
  using GetString = const unsigned char* (*)(unsigned int);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (getString == nullptr) return false;
  constexpr unsigned int kGlRenderer = 0x1F01;
  const unsigned char* name = getString(kGlRenderer);
  if (name == nullptr) return false;
  const std::string_view rasteriser(reinterpret_cast<const char*>(name));
  for (std::string_view software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
    if (rasteriser.find(software) != std::string_view::npos) return true;
  }
  return false;
}

// Whether the machine has a graphics card to draw with: a kernel render node,
// or NVIDIA's own driver. Without one, OpenGL can only be Mesa's software
// rasteriser, and making a context just to find that out costs about a third
// of a second at start-up.
bool HasGraphicsCard() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    if (entry.path().filename().string().starts_with("renderD")) return true;
  }
  return std::filesystem::exists("/dev/nvidiactl", error);
}

// SDL's own renderer into a shared-memory window surface, kept from backing
// that surface with OpenGL behind the game's back.
SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

// The graphics card's renderer where there is one. Without one, SDL's own
// software renderer costs about a third of the CPU time that software OpenGL
// spends on each presented frame. A renderer the user names in
// SDL_RENDER_DRIVER is kept.
SDL_Renderer* CreateFittingRenderer(SDL_Window* window) {
  const bool userChoice = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
  if (!userChoice && !HasGraphicsCard()) {
    if (SDL_Renderer* renderer = CreateSoftwareRenderer(window)) return renderer;
  }
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  // A card whose driver still draws in software (a virtual machine's, or a
  // virtual X server's) is no better than none.
  if (renderer != nullptr && !userChoice && DrawsWithSoftwareGl(renderer)) {
    SDL_DestroyRenderer(renderer);
    renderer = CreateSoftwareRenderer(window);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  }
  if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  return renderer;
}

// The desktop's size on that display, or the picture's where SDL cannot
// tell.
SDL_Point DesktopSize(int display) {
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(std::max(display, 0), &desktop) != 0 || desktop.w <= 0 ||
      desktop.h <= 0) {
    return {kScreenWidth, kScreenHeight};
  }
  return {desktop.w, desktop.h};
}

// A window of the picture's own size where the desktop has room for it, else
// the largest of its shape that fits; the player may resize it.
SDL_Point WindowedSize(SDL_Point desktop) {
  const double fit =
      std::min({1.0, 0.9 * desktop.x / kScreenWidth, 0.9 * desktop.y / kScreenHeight});
  return {static_cast<int>(kScreenWidth * fit), static_cast<int>(kScreenHeight * fit)};
}

// MENDED: without a display SDL falls back to a video driver that draws
// nowhere, and the game would run unseen for ever. A driver the user names in
// SDL_VIDEODRIVER (a list separated by commas) is asked for, as by the tests.
bool DrawsNowhereUnasked() {
  const char* current = SDL_GetCurrentVideoDriver();
  if (current == nullptr) return false;
  const std::string_view driver(current);
  if (driver != "offscreen" && driver != "dummy") return false;
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  std::string_view names = asked != nullptr ? asked : "";
  while (!names.empty()) {
    const size_t comma = names.find(',');
    if (names.substr(0, comma) == driver) return false;
    names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
  }
  return true;
}

std::string NoDisplayMessage() {
  std::string displays;
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    if (!displays.empty()) displays += ", ";
    displays += std::string(variable) + "=" + value;
  }
  const std::string where =
      displays.empty() ? "Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)"
                       : "Kein Bildschirm erreichbar (" + displays + ")";
  return where + "; das Spiel braucht eine grafische Oberfläche."_cp;
}

}  // namespace

SdlPlatform::SdlPlatform() : pads_(std::make_unique<SdlGamepads>()) {
  onClose_ = [] {
    SDL_Quit();
    std::exit(0);
  };
}

SdlPlatform::~SdlPlatform() {
  if (frame_ != nullptr) SDL_DestroyTexture(frame_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  pads_->Close();
  SDL_Quit();
}

bool SdlPlatform::Open(bool inWindow, const char* title) {
  // Scaling to a display of another size looks best smoothed: the factors are
  // rarely whole numbers (1080 / 768 = 1.406), and unsmoothed glyphs would
  // come out of uneven widths.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    ReportSdlError("SDL konnte nicht gestartet werden");
    return false;
  }
  if (DrawsNowhereUnasked()) {
    ReportProblem(NoDisplayMessage());
    return false;
  }
  EndWithAMessageWhenTheDisplayIsLost();
  pads_->Open();
  // Full screen is a borderless window as large as the desktop, which a
  // window manager, where one runs, is then asked to make full screen:
  // without one (a bare X server) nobody else would make a window that large.
  const SDL_Point desktop = DesktopSize(0);
  const SDL_Point windowed = WindowedSize(desktop);
  window_ = inWindow
                ? SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   windowed.x, windowed.y, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN)
                : SDL_CreateWindow(title, 0, 0, desktop.x, desktop.y,
                                   SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    ReportSdlError("Das Fenster konnte nicht erzeugt werden");
    return false;
  }
  managed_ = WindowsAreManaged(window_);
  fullScreen_ = !inWindow;
  if (fullScreen_ && managed_) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_ShowWindow(window_);
  renderer_ = CreateFittingRenderer(window_);
  if (renderer_ == nullptr) {
    ReportSdlError("Die Bildausgabe konnte nicht erzeugt werden");
    return false;
  }
  SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
  // Every pixel of the frame is opaque: copied without blending, in the
  // layout of the window's own pixels (the alpha byte is ignored), the
  // software renderer moves whole rows instead of blending pixel by pixel.
  frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                             kScreenWidth, kScreenHeight);
  if (frame_ == nullptr) {
    ReportSdlError("Die Bildfläche konnte nicht erzeugt werden"_cp);
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);
  SDL_SetRelativeMouseMode(SDL_TRUE);
  SDL_RaiseWindow(window_);
  return true;
}

void SdlPlatform::SetFullScreen(bool fullScreen) {
  fullScreen_ = fullScreen;
  repaintNeeded_ = true;
  if (fullScreen && managed_) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  const SDL_Point desktop = DesktopSize(SDL_GetWindowDisplayIndex(window_));
  if (fullScreen) {
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SDL_SetWindowPosition(window_, 0, 0);
    SDL_SetWindowSize(window_, desktop.x, desktop.y);
    return;
  }
  const SDL_Point windowed = WindowedSize(desktop);
  if (managed_) SDL_SetWindowFullscreen(window_, 0);
  SDL_SetWindowBordered(window_, SDL_TRUE);
  SDL_SetWindowResizable(window_, SDL_TRUE);
  SDL_SetWindowSize(window_, windowed.x, windowed.y);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

uint32_t SdlPlatform::TickCount() {
  return ticks_.Now();
}

uint32_t SdlPlatform::MachineTicks() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

// In tenths of a millisecond, as browsers give time to a page: far finer than
// a pass of the game, and a replay keeps a reading in a few bits where
// nanoseconds take three bytes.
uint64_t SdlPlatform::PerformanceCounter() {
  const uint64_t counter = SDL_GetPerformanceCounter();
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  return counter / frequency * kCounterFrequency +
         counter % frequency * kCounterFrequency / frequency;
}

uint64_t SdlPlatform::PerformanceFrequency() {
  return kCounterFrequency;
}

void SdlPlatform::SleepMicroseconds(uint32_t us) {
  PumpEvents();
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}

void SdlPlatform::PaceToSixtyHertz() {
  // Drivers without a retrace (virtual displays) would present thousands of
  // frames a second; the help and credits screens move one step per frame.
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  const uint64_t period = frequency / 60u;
  uint64_t now = SDL_GetPerformanceCounter();
  if (nextPresent_ == 0 || now > nextPresent_ + period) nextPresent_ = now;
  while (now < nextPresent_) {
    const uint64_t leftMs = (nextPresent_ - now) * 1000u / frequency;
    if (leftMs >= 1) SDL_Delay(1);
    now = SDL_GetPerformanceCounter();
  }
  nextPresent_ += period;
}

void SdlPlatform::Present(const uint32_t* pixels) {
  PresentRows(pixels, 0, kScreenHeight);
}

void SdlPlatform::PresentRows(const uint32_t* pixels, int firstRow, int endRow) {
  PumpEvents();
  if (renderer_ == nullptr || frame_ == nullptr) return;
  if (!shownOnce_) {
    firstRow = 0;
    endRow = kScreenHeight;
  }
  if (firstRow >= endRow) {
    // The window still shows this very picture.
    PaceToSixtyHertz();
    return;
  }
  const SDL_Rect rows{0, firstRow, kScreenWidth, endRow - firstRow};
  const int pitch = kScreenWidth * static_cast<int>(sizeof(uint32_t));
  SDL_UpdateTexture(frame_, &rows, pixels + static_cast<ptrdiff_t>(firstRow) * kScreenWidth, pitch);
  shownOnce_ = true;
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(renderer_, &info);
  PaceToSixtyHertz();
  if (outputWidth == kScreenWidth && outputHeight == kScreenHeight &&
      (info.flags & SDL_RENDERER_SOFTWARE) != 0) {
    // The software renderer draws into the window's own pixels, which keep
    // the earlier picture: at the picture's own size only the changed rows
    // need copying there.
    SDL_RenderCopy(renderer_, frame_, &rows, &rows);
    SDL_RenderPresent(renderer_);
    return;
  }
  ShowWholeFrame();
}

void SdlPlatform::ShowWholeFrame() {
  // Black bars beside or above the picture exist only where the window's
  // shape differs from the picture's; elsewhere the picture covers every
  // pixel, and clearing first would only write the whole window twice.
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  if (static_cast<int64_t>(outputWidth) * kScreenHeight !=
      static_cast<int64_t>(outputHeight) * kScreenWidth) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SdlPlatform::PumpEvents() {
  // Asking the X server for news costs tens of microseconds, and a pass of
  // the match reads the keyboard and the mouse and rests within the same
  // millisecond: the server is asked at most once a millisecond, and what
  // waits in SDL's queue is taken at every call.
  const uint32_t now = ticks_.Now();
  if (now != lastPump_) {
    SDL_PumpEvents();
    lastPump_ = now;
  }
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    const bool closing = event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT &&
                                                    event.window.event == SDL_WINDOWEVENT_CLOSE);
    if (closing) {
      // A box still waiting for its answer goes with the game.
      box_.End();
      if (onClose_) onClose_();
    }
    if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                                          event.window.event == SDL_WINDOWEVENT_SHOWN ||
                                          event.window.event == SDL_WINDOWEVENT_RESTORED)) {
      repaintNeeded_ = true;
    }
    if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
      repaintNeeded_ = true;
    }
    // The X server's repeat events of a held key are no new presses: the
    // game reads keys as levels and repeats by itself where it wants to.
    // F11 switches between full screen and a window; the game never sees it.
    if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_F11) {
      if (event.key.repeat == 0) SetFullScreen(!fullScreen_);
      continue;
    }
    if (pads_->Handle(event, input_)) continue;
    if ((event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) && event.key.repeat == 0) {
      const uint8_t code = KeyOfUsbUsage(event.key.keysym.scancode);
      if (code != 0) input_.ChangeKey(code, event.type == SDL_KEYDOWN);
    }
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT) input_.ChangeButton(MouseButton::kLeft, down);
      if (event.button.button == SDL_BUTTON_RIGHT) input_.ChangeButton(MouseButton::kRight, down);
    }
  }
  // A window uncovered, resized or switched to or from full screen shows
  // the last frame again at once, also on screens that rest on a picture
  // without presenting.
  if (repaintNeeded_ && shownOnce_ && renderer_ != nullptr) ShowWholeFrame();
  repaintNeeded_ = false;
}

InputModel& SdlPlatform::PollInput() {
  PumpEvents();
  int dx = 0;
  int dy = 0;
  SDL_GetRelativeMouseState(&dx, &dy);
  input_.Move(dx, dy);
  return input_;
}

void SdlPlatform::Show(const char* text, const char* caption) {
  const std::string utf8Text = Cp1252ToUtf8(text);
  const std::string utf8Caption = Cp1252ToUtf8(caption);
  ReportMessageBox(caption, text);
  if (!box_.Start(utf8Caption, utf8Text, window_)) {
    // SDL's own box, which keeps the game waiting until it is answered.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(), utf8Text.c_str(),
                             window_);
    return;
  }
  // MENDED: while the box is open the game window still repaints itself and
  // hears its close button and SIGTERM and SIGINT, which SDL turns into a close
  // request when events are pumped. The player needs the pointer for the box.
  const SDL_bool relative = SDL_GetRelativeMouseMode();
  SDL_SetRelativeMouseMode(SDL_FALSE);
  while (box_.Open()) {
    PumpEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  SDL_SetRelativeMouseMode(relative);
  SDL_GetRelativeMouseState(nullptr, nullptr);
  // The box took the keyboard and the mouse: what was held when it opened
  // was let go over the box, unseen by the game window.
  input_.Clear();
}

}  // namespace kb::platform
