// The heaviest explosion a player can cause: 100 stones removed at once with
// 4096 sparks each and three connector rings 60 pixels wide, on a settled
// board. WorstSpawn times the removal's spawning of the clouds; WorstBurst the
// first drawing burst after it (the board with its explosions, the rings and
// every spark), with the explosion started afresh outside the timing.
//
// Each runs on the test clock and on the SDL platform's tick source, since
// every random choice adds the tick count to the generator's value and reading
// a real clock is far from free.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "input/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/file_system.h"
#include "platform/sdl/monotonic_ticks.h"

namespace {

enum class TickKind { Test, Real };

// The fake platform's clock with only the tick count taken from the real
// millisecond clock, so that the two runs differ in nothing else.
class RealTickClock final : public kb::platform::Clock {
 public:
  explicit RealTickClock(kb::platform::FakePlatform& fake) : fake_(fake) {}
  uint32_t TickCount() override { return ticks_.Now(); }
  uint32_t MachineTicks() override { return fake_.MachineTicks(); }
  uint64_t PerformanceCounter() override { return fake_.PerformanceCounter(); }
  uint64_t PerformanceFrequency() override { return fake_.PerformanceFrequency(); }
  void SleepMicroseconds(uint32_t us) override { fake_.SleepMicroseconds(us); }

 private:
  kb::platform::FakePlatform& fake_;
  kb::platform::MonotonicTicks ticks_;
};

struct BenchGame {
  explicit BenchGame(TickKind kind)
      : fake(UINT64_MAX / 4000u),
        realTicks(fake),
        files(KB_DATA_DIR),
        platform{kind == TickKind::Real ? static_cast<kb::platform::Clock&>(realTicks) : fake,
                 fake,
                 fake,
                 fake,
                 files,
                 audio},
        game(platform) {
    fake.KeyPressAt(0, kb::key::kReturn, 100);
    game.Init();
    game.options.ParticlesPerStone = 4096;
    game.options.RingWidth = 60;
  }

  kb::platform::FakePlatform fake;
  RealTickClock realTicks;
  kb::platform::DiskFileSystem files;
  kb::platform::SilentAudio audio;
  kb::platform::Platform platform;
  kb::Game game;
};

// What the removal of 100 stones does to the effect grids and the clouds;
// the first three are connectors, whose rings start with them.
void StartExplosions(kb::Game& game) {
  kb::EffectGrids& fx = game.rules.effects;
  int started = 0;
  for (int column = 0; column < 16 && started < 100; ++column) {
    for (int row = 15; row >= 10 && started < 100; --row, ++started) {
      const int code = started < 3 ? kb::kConnector : 1 + started % 4;
      fx.RemovalAnimGrid[row][column] = 1;
      fx.RemovedCodeGrid[row][column] = code;
      fx.RingGrid[row][column] = code == kb::kConnector ? 1 : 0;
      game.particles.SpawnParticles(fx.ParticleGrid, column, row, column * 48 + 24, row * 48 + 24,
                                    0, game.options.ParticlesPerStone, game.chance);
    }
  }
}

// The board and spark part of one drawing burst of the match.
void DrawBurst(kb::Game& game) {
  game.renderer.BeginFrame();
  game.DrawBoard();
  for (int column = 0; column < 16; ++column) {
    for (int row = 0; row < 16; ++row) {
      if (game.rules.effects.ParticleGrid[row][column] > 0) {
        game.particles.UpdateParticles(game.rules.effects.ParticleGrid, column, row,
                                       game.renderer.BackBuffer(), game.chance);
      }
    }
  }
}

// One game per clock for the whole run: starting one loads every picture.
BenchGame& Bench(TickKind kind) {
  static BenchGame onTestClock(TickKind::Test);
  static BenchGame onRealClock(TickKind::Real);
  return kind == TickKind::Real ? onRealClock : onTestClock;
}

void WorstSpawn(benchmark::State& state, TickKind kind) {
  BenchGame& bench = Bench(kind);
  for (auto _ : state) {
    StartExplosions(bench.game);
    benchmark::ClobberMemory();
  }
}

void WorstBurst(benchmark::State& state, TickKind kind) {
  BenchGame& bench = Bench(kind);
  for (auto _ : state) {
    state.PauseTiming();
    StartExplosions(bench.game);
    state.ResumeTiming();
    DrawBurst(bench.game);
    benchmark::DoNotOptimize(bench.game.renderer.BackImage().pixels.data());
    benchmark::ClobberMemory();
  }
}

// Besides mean and median, the fastest repetition: on a machine shared with
// other work it shows what the code itself costs.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

BENCHMARK_CAPTURE(WorstSpawn, TestClock, TickKind::Test)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(WorstSpawn, RealClock, TickKind::Real)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(WorstBurst, TestClock, TickKind::Test)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(WorstBurst, RealClock, TickKind::Real)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace

// Repetitions given to a benchmark become part of its name, so the default of
// ten runs of each, shown as mean, median and spread, comes in as flags ahead
// of the command line's own, which can still override them.
int main(int argc, char** argv) {
  std::string repetitions = "--benchmark_repetitions=10";
  std::string aggregatesOnly = "--benchmark_display_aggregates_only=true";
  std::vector<char*> args{argv[0], repetitions.data(), aggregatesOnly.data()};
  args.insert(args.end(), argv + 1, argv + argc);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
