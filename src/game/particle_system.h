#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"
#include "gfx/raster.h"
#include "rules/board.h"

namespace kb {

// One spark of an exploding stone, in screen pixels.
struct Particle {
  int16_t x;
  int16_t y;
  int8_t dx;
  int8_t dy;
};

// The particle clouds of removed stones: every cell owns a fixed block of
// slots for the largest count, so that every cell can burst at once, and
// nothing is allocated after start-up. The live count of each cell is the
// effect grid's ParticleGrid.
class ParticleSystem {
 public:
  static constexpr int32_t kMaxPerStone = 4096;

  ParticleSystem();

  // A new cloud at the cell, replacing an older one there. `perStone` is the
  // option value, kept within 0..4096; `offset` is 256 for the right half of
  // the split board, else 0.
  void SpawnParticles(CellGrid& counts, int32_t column, int32_t row, int32_t centreX,
                      int32_t centreY, int32_t offset, int32_t perStone, Chance& chance);
  // One update of the cell's cloud: draw, move, slow down, count the ones that
  // stopped or left the screen.
  void UpdateParticles(CellGrid& counts, int32_t column, int32_t row, PixelTarget target,
                       Chance& chance);

  static bool Alive(const Particle& p);
  static int32_t ClampCount(int32_t perStone);

 private:
  Particle* Block(int32_t column, int32_t row) {
    return &slots_[static_cast<size_t>(column * kBoardSize + row) * kMaxPerStone];
  }

  std::vector<Particle> slots_;
  // How many slots each cell's cloud was spawned with.
  CellGrid spawned_{};
};

}  // namespace kb
