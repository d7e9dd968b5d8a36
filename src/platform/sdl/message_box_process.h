#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

struct SDL_Window;

namespace kb::platform {

// A message box shown by a process of its own, started from the game's own
// program file.
// MENDED: SDL's box keeps its caller waiting until it is answered,
// deaf to signals and to the game window's close button; a box in another
// process leaves the game free to watch its window meanwhile, and to take the
// box off the screen when the game ends.
class MessageBoxProcess {
 public:
  MessageBoxProcess() = default;
  MessageBoxProcess(const MessageBoxProcess&) = delete;
  MessageBoxProcess& operator=(const MessageBoxProcess&) = delete;
  ~MessageBoxProcess() { End(); }

  // Shows the UTF-8 texts over `parent`; false when no process could be
  // started.
  bool Start(const std::string& caption, const std::string& text, SDL_Window* parent);
  // Whether the box is still on screen: not yet answered, nor ended.
  bool Open();
  // Takes the box off the screen at once, together with the process SDL
  // forks inside the box's process to show it.
  void End();

 private:
  pid_t pid_ = 0;
};

// The box's own process: when the arguments ask for a box, shows it and
// returns the exit status; otherwise nothing. Called first thing in main, by
// every program that shows boxes through MessageBoxProcess.
std::optional<int> RunMessageBoxProgram(int argc, char** argv);

}  // namespace kb::platform
