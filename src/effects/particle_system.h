#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/random.h"
#include "gfx/raster.h"
#include "rules/board.h"

namespace kb {

// The particle clouds of removed stones: every cell owns a fixed block of
// slots for the largest count, so that every cell can burst at once, and
// nothing is allocated after start-up. The blocks (10 MiB) are reserved
// unwritten: memory becomes resident only where a burst has written sparks,
// and only written slots are ever read. The live count of each cell is the
// effect grid's ParticleGrid.
class ParticleSystem {
 public:
  static constexpr int32_t kMaxPerStone = 4096;

  ParticleSystem();

  // A new cloud at the cell, replacing an older one there. `perStone` is the
  // option value, kept within 0..4096; `offset` is kRightHalfShift for the right
  // half of the split board, else 0.
  void SpawnParticles(CellGrid& counts, int32_t column, int32_t row, int32_t centreX,
                      int32_t centreY, int32_t offset, int32_t perStone, Chance& chance);
  // One update of the cell's cloud: draw, move, slow down, count the ones that
  // stopped or left the screen.
  void UpdateParticles(CellGrid& counts, int32_t column, int32_t row, PixelTarget target,
                       Chance& chance);

  static int32_t ClampCount(int32_t perStone);

 private:
  // One cell's sparks in screen pixels, field by field, so that moving a
  // whole cloud is a loop over plain arrays. A spark lives while it is on
  // the screen (1..1023 x 1..767) and moving; one that stops or leaves never
  // comes back.
  struct Cloud {
    std::array<int16_t, kMaxPerStone> x;
    std::array<int16_t, kMaxPerStone> y;
    std::array<int16_t, kMaxPerStone> dx;
    std::array<int16_t, kMaxPerStone> dy;
    std::array<int16_t, kMaxPerStone> alive;  // 1 or 0
  };

  // Sparks first to first + count - 1 of a cloud from their four draws each
  // (generator values); returns how many live.
  static int32_t SpawnSparks(Cloud& cloud, int32_t first, int32_t count, const uint16_t* values,
                             uint32_t tick, int32_t centreX, int32_t centreY);

  Cloud& CloudAt(int32_t column, int32_t row) {
    return clouds_[static_cast<size_t>(column * kBoardSize + row)];
  }

  std::unique_ptr<Cloud[]> clouds_;
  // How many slots each cell's cloud was spawned with.
  CellGrid spawned_{};
};

}  // namespace kb
