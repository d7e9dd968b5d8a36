#include "platform/sdl/window_manager.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>

#include "core/report.h"

namespace kb::platform {
namespace {

int DisplayLost(Display* /*display*/) {
  ReportProblem("Die Verbindung zur Anzeige ist abgebrochen; das Spiel endet.");
  // Nothing is left to tidy: every file the game writes is already whole, and
  // exit handlers would only talk to the lost display again.
  std::_Exit(1);
}

}  // namespace

void EndWithAMessageWhenTheDisplayIsLost() {
  XSetIOErrorHandler(DisplayLost);
}

bool WindowsAreManaged(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return true;
  }
  // A window manager that follows the desktop conventions names its own
  // check window on the root window.
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &remaining, &data);
  const bool announced = status == Success && type == XA_WINDOW && count == 1;
  if (data != nullptr) XFree(data);
  return announced;
}

}  // namespace kb::platform
