#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/helper_thread.h"
#include "core/random.h"
#include "gfx/raster.h"
#include "rules/board.h"

namespace kb {

// The particle clouds of removed stones. Each cloud in the air has a block
// of slots for the largest count, so that every cell can burst at once, and
// nothing is allocated after start-up: a cell takes a block at its burst and
// gives it back when its last spark has died. The blocks (12 MiB) are
// reserved unwritten, the lowest taken first, so the memory that becomes
// resident is that of the most clouds a match has had in the air at once,
// and only slots a burst has written are ever read. The live count of each
// cell is the effect grid's ParticleGrid.
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
  // The update of every cell whose count is above 0, column by column and
  // each column from the top: exactly what UpdateParticles does for each in
  // turn, with the helper choosing the looks and moving beside this thread.
  void UpdateAllParticles(CellGrid& counts, PixelTarget target, Chance& chance,
                          HelperThread& helper);

  static int32_t ClampCount(int32_t perStone);

 private:
  // One cell's living sparks in screen pixels, in the order they were
  // born, field by field, so that moving a whole cloud is a loop over plain
  // arrays. A spark lives while it is on the screen (1..1023 x 1..767) and
  // moving; one that stops or leaves never comes back, and the sparks
  // behind it close up.
  struct Cloud {
    std::array<int16_t, kMaxPerStone> x;
    std::array<int16_t, kMaxPerStone> y;
    std::array<int16_t, kMaxPerStone> dx;
    std::array<int16_t, kMaxPerStone> dy;
    // The look each spark draws at the next update: the colour, with the
    // size of its square in the top byte instead of the opaque alpha.
    std::array<uint32_t, kMaxPerStone> look;
  };
  struct Burst;

  // `count` sparks from their four draws each (generator values), the living
  // ones kept from slot `first` on; returns how many live.
  static int32_t SpawnSparks(Cloud& cloud, int32_t first, int32_t count, const uint16_t* values,
                             uint32_t tick, int32_t centreX, int32_t centreY);

  static constexpr size_t kCells = static_cast<size_t>(kBoardSize) * kBoardSize;
  static size_t CellOf(int32_t column, int32_t row) {
    return static_cast<size_t>(column * kBoardSize + row);
  }
  Cloud& TakeBlock(size_t cell);
  void GiveBackBlock(size_t cell);
  Cloud& CloudOf(size_t cell);

  // The steps of a cloud's update: its living sparks' looks (kept, or each
  // drawn at once into `drawNow`), their squares drawn, their moves (returns
  // how many died), and the counts after them.
  void ChooseLooks(size_t cell, Chance& chance, const PixelTarget* drawNow);
  void DrawCloud(size_t cell, PixelTarget target);
  int32_t MoveCloud(size_t cell);
  void Settle(size_t cell, int32_t died, int32_t& count);

  std::unique_ptr<Cloud[]> blocks_;
  // The block each cell's cloud is in, -1 for none; the blocks free, the
  // next to take last.
  std::array<int16_t, kCells> blockOf_;
  std::vector<int16_t> freeBlocks_;
  // How many sparks of each cell's cloud live.
  std::array<int32_t, kCells> living_{};
};

}  // namespace kb
