#include "platform/sdl/message_box_process.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace kb::platform {
namespace {

// Kept out of --help: only the game itself starts its program this way.
constexpr const char* kBoxArgument = "--meldung";

// The game window's X window, for the box to belong to: a window manager
// keeps a window's own dialogs above it, also above a full-screen window,
// where a stranger's window may open unseen behind it. 0 where the game does
// not run on X.
unsigned long XWindowOf(SDL_Window* window) {
  if (window == nullptr) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

void EndWholeGroup(int) {
  kill(0, SIGKILL);
}

}  // namespace

bool MessageBoxProcess::Start(const std::string& caption, const std::string& text,
                              SDL_Window* parent) {
  End();
  std::vector<std::string> arguments{
      "klotzbrecher3",         kBoxArgument, caption, text, std::to_string(XWindowOf(parent)),
      std::to_string(getpid())};
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  // A group of its own, so that End reaches SDL's forked process as well;
  // the box answers SIGINT and SIGTERM even where the game ignores or blocks
  // them.
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  pid_t pid = 0;
  const int failed =
      posix_spawn(&pid, "/proc/self/exe", nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) return false;
  pid_ = pid;
  return true;
}

bool MessageBoxProcess::Open() {
  if (pid_ <= 0) return false;
  // Looked at without reaping: while the finished process is not reaped its
  // number cannot be given to another process, so End's kill of its group
  // cannot hit a stranger's.
  siginfo_t info{};
  const int result = waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT);
  if (result == 0 && info.si_pid == 0) return true;
  if (result == -1 && errno == EINTR) return true;
  End();
  return false;
}

void MessageBoxProcess::End() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) == -1 && errno == EINTR) {
  }
  pid_ = 0;
}

std::optional<int> RunMessageBoxProgram(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], kBoxArgument) != 0) return std::nullopt;
  if (argc != 6) return 2;
  const char* caption = argv[2];
  const char* text = argv[3];
  const unsigned long parent = std::strtoul(argv[4], nullptr, 10);
  const auto game = static_cast<pid_t>(std::strtol(argv[5], nullptr, 10));

  // A game that ends without taking its box along (killed, crashed) still
  // does not leave it behind on the screen.
  struct sigaction endGroup {};
  endGroup.sa_handler = EndWholeGroup;
  sigaction(SIGTERM, &endGroup, nullptr);
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != game) return 0;

  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Window* owner = nullptr;
  if (parent != 0) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
      // SDL takes the X window's number in a pointer.
      // NOLINTNEXTLINE(performance-no-int-to-ptr)
      owner = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(parent)));
    }
  }
  // The game's window is only borrowed: SDL is not shut down, which would
  // treat it as one of this process's own windows.
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, owner) == 0 ? 0 : 1;
}

}  // namespace kb::platform
