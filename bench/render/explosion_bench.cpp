// The heaviest explosion a player can cause: 100 stones removed at once with
// 4096 sparks each and three connector rings 60 pixels wide, on a settled
// board. WorstSpawn times the removal's spawning of the clouds; WorstBurst the
// first drawing burst after it (the board with its explosions, the rings and
// every spark), with the explosion started afresh outside the timing;
// WorstLaterBurst the slowest burst of the whole explosion.
//
// Each runs on the test clock and on the SDL platform's tick source, since
// every random choice adds the tick count to the generator's value and reading
// a real clock is far from free.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/game.h"
#include "core/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/file_system.h"
#include "platform/sdl/monotonic_ticks.h"
#include "worst_explosion.h"

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

// One game per clock for the whole run: starting one loads every picture.
BenchGame& Bench(TickKind kind) {
  static BenchGame onTestClock(TickKind::Test);
  static BenchGame onRealClock(TickKind::Real);
  return kind == TickKind::Real ? onRealClock : onTestClock;
}

void WorstSpawn(benchmark::State& state, TickKind kind) {
  BenchGame& bench = Bench(kind);
  for (auto _ : state) {
    kb::bench::StartExplosions(bench.game);
    benchmark::ClobberMemory();
  }
}

void WorstBurst(benchmark::State& state, TickKind kind) {
  BenchGame& bench = Bench(kind);
  for (auto _ : state) {
    state.PauseTiming();
    kb::bench::StartExplosions(bench.game);
    state.ResumeTiming();
    kb::bench::DrawBurst(bench.game);
    benchmark::DoNotOptimize(bench.game.renderer.BackImage().pixels.data());
    benchmark::ClobberMemory();
  }
}

// Whether anything of the explosion is left to draw: a removal animation
// (and with it its ring) or a living spark.
bool ExplosionRuns(const kb::EffectGrids& effects) {
  for (int row = 0; row < kb::kBoardSize; ++row) {
    for (int column = 0; column < kb::kBoardSize; ++column) {
      if (effects.RemovalAnimGrid[row][column] > 0 || effects.ParticleGrid[row][column] > 0) {
        return true;
      }
    }
  }
  return false;
}

// Every drawing burst of that explosion, from the first to the last that
// still has something of it to draw; the slowest is the iteration's time.
// The rings grow with every burst, so the slowest is a later one.
void WorstLaterBurst(benchmark::State& state, TickKind kind) {
  BenchGame& bench = Bench(kind);
  // Far more than an explosion lasts; only a fault would reach it.
  constexpr int kMostBursts = 1000;
  for (auto _ : state) {
    kb::bench::StartExplosions(bench.game);
    double slowest = 0.0;
    for (int burst = 0; burst < kMostBursts && ExplosionRuns(bench.game.rules.effects); ++burst) {
      const auto start = std::chrono::steady_clock::now();
      kb::bench::DrawBurst(bench.game);
      benchmark::DoNotOptimize(bench.game.renderer.BackImage().pixels.data());
      benchmark::ClobberMemory();
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      slowest = std::max(slowest, took.count());
    }
    state.SetIterationTime(slowest);
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
// Five whole explosions a repetition: each takes about a fifth of a second.
BENCHMARK_CAPTURE(WorstLaterBurst, RealClock, TickKind::Real)
    ->UseManualTime()
    ->Iterations(5)
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
