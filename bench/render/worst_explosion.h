#pragma once

#include "app/game.h"
#include "match/match_screen.h"

// The heaviest explosion a player can cause, for the benchmarks of the
// desktop and the browser build alike: 100 stones removed at once, the first
// three of them connectors, with the options' sparks and rings.
namespace kb::bench {

// What the removal of 100 stones does to the effect grids and the clouds;
// the first three are connectors, whose rings start with them.
inline void StartExplosions(Game& game) {
  EffectGrids& fx = game.rules.effects;
  int started = 0;
  for (int column = 0; column < 16 && started < 100; ++column) {
    for (int row = 15; row >= 10 && started < 100; --row, ++started) {
      const int code = started < 3 ? kConnector : 1 + started % 4;
      fx.RemovalAnimGrid[row][column] = 1;
      fx.RemovedCodeGrid[row][column] = code;
      fx.RingGrid[row][column] = code == kConnector ? 1 : 0;
      game.particles.SpawnParticles(fx.ParticleGrid, column, row, column * 48 + 24, row * 48 + 24,
                                    0, game.options.ParticlesPerStone, game.chance);
    }
  }
}

// The board and spark part of one drawing burst of the match.
inline void DrawBurst(Game& game) {
  game.renderer.BeginFrame();
  MatchScreen(game).DrawBoard();
  AdvanceRemovalAnimations(game.rules.effects);
  game.particles.UpdateAllParticles(game.rules.effects.ParticleGrid, game.renderer.BackBuffer(),
                                    game.chance, game.helper);
}

}  // namespace kb::bench
