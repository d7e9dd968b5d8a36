// The heaviest drawing burst a player can cause: 100 stones exploding at once
// with 4096 sparks each and three connector rings 60 pixels wide, on a settled
// board. One iteration is one burst of the board and the spark clouds; the
// explosion is started afresh every 16 bursts, outside the timing.
#include <benchmark/benchmark.h>

#include "app/game.h"
#include "input/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/file_system.h"

namespace {

struct BenchGame {
  BenchGame() : fake(UINT64_MAX / 4000u), files(KB_DATA_DIR) {
    fake.KeyPressAt(0, kb::key::kReturn, 100);
    game.Init();
    game.options.ParticlesPerStone = 4096;
    game.options.RingWidth = 60;
  }
  kb::platform::FakePlatform fake;
  kb::platform::DiskFileSystem files;
  kb::platform::SilentAudio audio;
  kb::platform::Platform platform{fake, fake, fake, fake, files, audio};
  kb::Game game{platform};
};

void StartExplosions(kb::Game& game) {
  kb::RulesState& rules = game.rules;
  kb::EffectGrids& fx = rules.effects;
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

void ExplosionBurst(benchmark::State& state) {
  BenchGame bench;
  kb::Game& game = bench.game;
  int frame = 0;
  for (auto _ : state) {
    if (frame % 16 == 0) {
      state.PauseTiming();
      StartExplosions(game);
      state.ResumeTiming();
    }
    ++frame;
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
    benchmark::DoNotOptimize(game.renderer.BackImage().pixels.data());
  }
}
BENCHMARK(ExplosionBurst)->Unit(benchmark::kMillisecond)->Iterations(160)->Repetitions(5);

}  // namespace
