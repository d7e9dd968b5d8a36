// The real platform's message box under an X server: while a box waits for
// its answer, the game still ends when asked to, and takes the box along.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/message_box_process.h"
#include "platform/sdl/sdl_platform.h"

namespace kb::platform {
namespace {

using namespace std::chrono_literals;

// The processes whose arguments hold `mark`: the box's own and the one SDL
// forks inside it to show the box.
std::vector<pid_t> ProcessesNaming(const std::string& mark) {
  std::vector<pid_t> found;
  std::error_code error;
  for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream file(entry->path() / "cmdline", std::ios::binary);
    const std::string arguments{std::istreambuf_iterator<char>(file), {}};
    if (arguments.find(mark) != std::string::npos) found.push_back(std::stoi(name));
  }
  return found;
}

template <typename Condition>
bool Within(std::chrono::seconds limit, Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

TEST(SdlMessageBox, SigtermWhileABoxWaitsEndsTheGameAndTakesTheBoxAlong) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X server to show a box on";
  // SDL turns SIGTERM into a close request only where nobody ignores it.
  signal(SIGTERM, SIG_DFL);
  SdlPlatform sdl;
  if (!sdl.Open(true)) GTEST_SKIP() << "no window on this X server";
  int closes = 0;
  sdl.SetCloseHandler([&closes] { ++closes; });

  const std::string mark = "Probe " + std::to_string(getpid());
  std::atomic<bool> returned{false};
  std::atomic<bool> forced{false};
  std::thread player([&] {
    // Asked to end as `kill -TERM` asks it, once the box is up.
    if (Within(20s, [&] { return !ProcessesNaming(mark).empty(); })) kill(getpid(), SIGTERM);
    // A game deaf to it would wait for ever: the box is ended by force so
    // that the test fails instead of hanging.
    if (!Within(20s, [&] { return returned.load(); })) {
      forced = true;
      for (pid_t pid : ProcessesNaming(mark)) kill(pid, SIGKILL);
    }
  });
  sdl.Show("Dieser Kasten wartet vergeblich auf eine Antwort.", mark.c_str());
  returned = true;
  player.join();

  EXPECT_FALSE(forced);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(Within(10s, [&] { return ProcessesNaming(mark).empty(); }));
}

}  // namespace
}  // namespace kb::platform

// The boxes the test opens are this program started once more.
int main(int argc, char** argv) {
  if (const auto box = kb::platform::RunMessageBoxProgram(argc, argv)) return *box;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
