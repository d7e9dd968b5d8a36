#pragma once

struct SDL_Window;

namespace kb::platform {

// Whether someone manages the windows of the window's display. On a bare X
// server nobody does: a borderless window as large as the desktop already is
// the full screen there, and asking for full screen would only make SDL wait
// 100 ms for a window manager's answer that never comes. Other video drivers
// (Wayland) always have a compositor.
bool WindowsAreManaged(SDL_Window* window);

// Xlib ends the program when the connection to the X display breaks (the
// server ended, the connection was closed under it); this makes it say so on
// standard error, in German, before it ends.
void EndWithAMessageWhenTheDisplayIsLost();

}  // namespace kb::platform
