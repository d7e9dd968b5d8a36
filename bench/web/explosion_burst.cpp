// kb_explosion_burst [DATA_FOLDER]: the worst drawing burst of an explosion
// (as WorstBurst/TestClock of kb_explosion_bench), timed 30 times, for the
// desktop build and for the browser build, which has no Google Benchmark:
// the page prints the same line to the browser's console.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/file_system.h"
#include "render/worst_explosion.h"

namespace {

// The burst is drawn by a function of its own, called anew for each burst
// as the game's frames are, and through a pointer the optimiser cannot see
// through, so that it is not merged into main: the browser puts a function's
// optimised code in place only for its later calls, and main, which never
// returns, would run its first, unoptimised code throughout.
void (*volatile drawBurst)(kb::Game&) = kb::bench::DrawBurst;

}  // namespace

int main(int argc, char** argv) {
  // The browser build finds the data folder where the page packed it.
  const char* data = argc > 1 ? argv[1] : "/daten";
  kb::platform::FakePlatform fake(UINT64_MAX / 4000u);
  kb::platform::DiskFileSystem files(data);
  kb::platform::SilentAudio audio;
  kb::platform::Platform platform{fake, fake, fake, fake, files, audio};
  kb::Game game(platform);
  fake.KeyPressAt(0, kb::key::kReturn, 100);
  game.Init();
  game.options.ParticlesPerStone = 4096;
  game.options.RingWidth = 60;

  std::vector<double> ms;
  for (int run = 0; run < 30; ++run) {
    kb::bench::StartExplosions(game);
    const auto start = std::chrono::steady_clock::now();
    drawBurst(game);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("WorstBurst: median %.2f ms, fastest %.2f ms over %zu bursts\n", ms[ms.size() / 2],
              ms.front(), ms.size());
  return 0;
}
