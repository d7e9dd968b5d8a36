#include "effects/particle_system.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

namespace kb {
namespace {

// The draws of a cloud are computed ahead, a block of positions at a time.
constexpr int32_t kBlock = 512;
// A spark takes at most 7 draws; the block keeps that many beyond its end.
constexpr int32_t kSparkDraws = 7;
// kSteps[k] takes the generator k steps on.
constexpr auto kSteps = JumpTable<kBlock + kSparkDraws + 1>();

// The jumps to a block's positions, field by field: position p takes the
// generator p + 1 steps on.
struct BlockJumps {
  std::array<uint32_t, kBlock + kSparkDraws> multiplier;
  std::array<uint32_t, kBlock + kSparkDraws> increment;
};
constexpr BlockJumps MakeBlockJumps() {
  BlockJumps jumps{};
  for (size_t p = 0; p < jumps.multiplier.size(); ++p) {
    jumps.multiplier[p] = kSteps[p + 1].multiplier;
    jumps.increment[p] = kSteps[p + 1].increment;
  }
  return jumps;
}
constexpr BlockJumps kBlockJumps = MakeBlockJumps();

// The generator's values at a block's positions, position p holding the
// value of the state p + 1 steps after `start`: each position on its own,
// in a loop the compiler turns into vector code.
template <size_t N>
void FillValues(uint32_t start, std::array<uint16_t, N>& values) {
  static_assert(N <= kBlock + kSparkDraws);
  for (size_t p = 0; p < N; ++p) {
    const uint32_t state = kBlockJumps.multiplier[p] * start + kBlockJumps.increment[p];
    values[p] = static_cast<uint16_t>(Random::Value(state));
  }
}

int32_t Signed64(uint32_t draw) {
  return static_cast<int32_t>(draw % 64) - 32;
}

struct SparkLook {
  uint32_t colour;
  int32_t size;
};

constexpr int32_t kPositions = kBlock + kSparkDraws;

// How the looks read the draws of one cloud's update, whose tick is `tick`.
// Below(3) looks at value + tick modulo 2^32, which is 1 modulo 3: it is 0
// where value + tick % 3 is a multiple of 3, except for the values where the
// sum passes 2^32, which only a tick within 32768 of it has.
struct DrawReading {
  explicit DrawReading(uint32_t tick)
      : tick(static_cast<uint16_t>(tick)),
        residue(static_cast<uint16_t>(tick % 3)),
        wrappedResidue(static_cast<uint16_t>((tick + 2) % 3)),
        wrapsFrom(static_cast<uint16_t>(tick > 0xFFFF8000u ? 0u - tick : 0x8000u)) {}

  // Below(128) of the draw whose generator value is `value`.
  uint8_t Below128(uint16_t value) const { return static_cast<uint8_t>((value + tick) & 127u); }
  // Whether Below(3) draws 0, that is whether value + residue is a multiple
  // of 3: times the inverse of 3 modulo 2^16, the multiples of 3 are exactly
  // the numbers up to (2^16 - 1) / 3.
  uint8_t Below3IsZero(uint16_t value) const {
    const uint16_t r = value >= wrapsFrom ? wrappedResidue : residue;
    const auto scaled = static_cast<uint16_t>((value + r) * 0xAAABu);
    return scaled <= 0x5555u ? 1 : 0;
  }

  uint16_t tick;
  uint16_t residue;
  uint16_t wrappedResidue;
  uint16_t wrapsFrom;
};

#ifndef __wasm_simd128__
// What the looks need of a block of draws from `start` on: Below(128) of
// each, whether Below(3) draws 0 at each, and for a spark whose draws start
// at a position the size of its square and how many draws it takes. Each
// position is computed on its own, in plain loops the compiler turns into
// vector code.
void FillBlock(uint32_t start, const DrawReading& reading, uint8_t* below128, uint8_t* zero,
               uint8_t* size, uint8_t* draws) {
  std::array<uint16_t, kPositions> values;
  FillValues(start, values);
  for (size_t p = 0; p < values.size(); ++p) {
    below128[p] = reading.Below128(values[p]);
    zero[p] = reading.Below3IsZero(values[p]);
  }
  // A spark starting at p takes three draws for its colour, then Below(3)
  // until one is not 0, at most four times; each 0 in a row grows its
  // square by a pixel.
  for (int32_t p = 0; p < kBlock; ++p) {
    const uint8_t grow2 = zero[p + 3];
    const auto grow3 = static_cast<uint8_t>(grow2 & zero[p + 4]);
    const auto grow4 = static_cast<uint8_t>(grow3 & zero[p + 5]);
    const auto grow5 = static_cast<uint8_t>(grow4 & zero[p + 6]);
    size[p] = static_cast<uint8_t>(1 + grow2 + grow3 + grow4 + grow5);
    draws[p] = static_cast<uint8_t>(4 + grow2 + grow3 + grow4);
  }
}
#endif

// The looks of a cloud's living sparks, in order. A spark's colour takes
// three draws, Below(128) each; then squares of 2, 3, 4 and 5 pixels follow
// for as long as Below(3) draws 0, with at most four such draws. The squares
// share the colour and each covers the one before, so only the largest
// counts.
//
// Stepping the generator draw by draw makes every spark wait for the one
// before it. Since the state k steps on is a linear function of the state
// now, the draws are instead computed ahead, a block of positions at a time,
// each position on its own, which the compiler turns into vector code; a
// spark then only reads its draws and moves on by how many it took.
class SparkLooks {
 public:
  explicit SparkLooks(const ChanceRun& chance) : reading_(chance.Tick()), start_(chance.State()) {
    Fill();
  }

  // Fast sparks are bright, slow ones darker: each channel is Below(128)
  // plus four times the speed. Speeds are at most 32 (sparks start below
  // that and only slow down), so no channel exceeds 255 and four times the
  // speed is added to all three at once.
  //
  // `next` is the position of the spark's first draw, which the caller
  // keeps from spark to spark: in a local the compiler keeps it in a
  // register, where as a member it would go to memory and back for every
  // spark, since any pixel written meanwhile might have been it.
  SparkLook Next(int32_t& next, int32_t speed) {
    const uint32_t colour = (0xFF000000u | uint32_t{below128_[next]} << 16 |
                             uint32_t{below128_[next + 1]} << 8 | below128_[next + 2]) +
                            static_cast<uint32_t>(speed) * 0x040404u;
    const SparkLook look{colour, size_[next]};
    next += draws_[next];
    if (next >= kBlock) {
      next -= kBlock;
      NextBlock();
    }
    return look;
  }

  // The generator's state after the draws taken up to position `next`.
  uint32_t State(int32_t next) const { return kSteps[next].From(start_); }

 private:
  void NextBlock() {
    start_ = kSteps[kBlock].From(start_);
    Fill();
  }

  void Fill() {
#ifdef __wasm_simd128__
    FillVectors();
#else
    FillBlock(start_, reading_, below128_.data(), zero_.data(), size_.data(), draws_.data());
#endif
  }

#ifdef __wasm_simd128__
  // What Fill computes, written out in the browser's vector instructions:
  // the compiler leaves the sizes' loop scalar there and narrows the values
  // through half-filled vectors, both of which cost the browser more than
  // the arithmetic. The states take 32-bit lanes; their upper halves, the
  // values, are gathered into 16-bit lanes, eight at a time, and the looks
  // narrowed to bytes, sixteen at a time. The seven positions beyond the
  // block take the plain loop.
  void FillVectors() {
    const v128_t start = wasm_i32x4_splat(static_cast<int32_t>(start_));
    const v128_t tick = wasm_i16x8_splat(static_cast<int16_t>(reading_.tick));
    const v128_t residue = wasm_i16x8_splat(static_cast<int16_t>(reading_.residue));
    const v128_t wrappedResidue = wasm_i16x8_splat(static_cast<int16_t>(reading_.wrappedResidue));
    const v128_t wrapsFrom = wasm_i16x8_splat(static_cast<int16_t>(reading_.wrapsFrom));
    const v128_t valueMask = wasm_i16x8_splat(0x7FFF);
    const v128_t below128Mask = wasm_i16x8_splat(127);
    const v128_t inverseOf3 = wasm_i16x8_splat(static_cast<int16_t>(0xAAAB));
    const v128_t thirdOfRange = wasm_i16x8_splat(0x5555);
    auto states = [&](int32_t at) {
      return wasm_i32x4_add(wasm_i32x4_mul(wasm_v128_load(&kBlockJumps.multiplier[at]), start),
                            wasm_v128_load(&kBlockJumps.increment[at]));
    };
    for (int32_t p = 0; p < kBlock; p += 16) {
      v128_t below[2];
      v128_t zero[2];
      for (int32_t half = 0; half < 2; ++half) {
        const int32_t at = p + 8 * half;
        const v128_t value =
            wasm_v128_and(wasm_i8x16_shuffle(states(at), states(at + 4), 2, 3, 6, 7, 10, 11, 14, 15,
                                             18, 19, 22, 23, 26, 27, 30, 31),
                          valueMask);
        below[half] = wasm_v128_and(wasm_i16x8_add(value, tick), below128Mask);
        const v128_t wraps = wasm_u16x8_ge(value, wrapsFrom);
        const v128_t sum =
            wasm_i16x8_add(value, wasm_v128_bitselect(wrappedResidue, residue, wraps));
        zero[half] = wasm_u16x8_le(wasm_i16x8_mul(sum, inverseOf3), thirdOfRange);  // 0 or -1
      }
      // Lanes of 0..127 and of 0 or -1 narrow exactly; -1 becomes 1.
      wasm_v128_store(&below128_[static_cast<size_t>(p)],
                      wasm_u8x16_narrow_i16x8(below[0], below[1]));
      wasm_v128_store(&zero_[static_cast<size_t>(p)],
                      wasm_i8x16_neg(wasm_i8x16_narrow_i16x8(zero[0], zero[1])));
    }
    for (size_t p = kBlock; p < kPositions; ++p) {
      const auto value = static_cast<uint16_t>(
          Random::Value(kBlockJumps.multiplier[p] * start_ + kBlockJumps.increment[p]));
      below128_[p] = reading_.Below128(value);
      zero_[p] = reading_.Below3IsZero(value);
    }
    const v128_t one = wasm_i8x16_splat(1);
    const v128_t four = wasm_i8x16_splat(4);
    for (int32_t p = 0; p < kBlock; p += 16) {
      const v128_t grow2 = wasm_v128_load(&zero_[static_cast<size_t>(p + 3)]);
      const v128_t grow3 = wasm_v128_and(grow2, wasm_v128_load(&zero_[static_cast<size_t>(p + 4)]));
      const v128_t grow4 = wasm_v128_and(grow3, wasm_v128_load(&zero_[static_cast<size_t>(p + 5)]));
      const v128_t grow5 = wasm_v128_and(grow4, wasm_v128_load(&zero_[static_cast<size_t>(p + 6)]));
      const v128_t grown = wasm_i8x16_add(wasm_i8x16_add(grow2, grow3), grow4);
      wasm_v128_store(&size_[static_cast<size_t>(p)],
                      wasm_i8x16_add(wasm_i8x16_add(grown, grow5), one));
      wasm_v128_store(&draws_[static_cast<size_t>(p)], wasm_i8x16_add(grown, four));
    }
  }
#endif

  DrawReading reading_;
  // The state the block's positions count from.
  uint32_t start_;
  // Written whole by Fill before any is read: Below(128) of each draw.
  std::array<uint8_t, kPositions> below128_;
  // Whether Below(3) draws 0 at the position.
  std::array<uint8_t, kPositions> zero_;
  // The size of the square of a spark whose draws start at the position,
  // and how many draws it takes.
  std::array<uint8_t, kBlock> size_;
  std::array<uint8_t, kBlock> draws_;
};

// A spark's square of `size` pixels, clipped to the target. A living spark is
// at least one pixel inside the left and top edges, so only the right and
// bottom edges can cut it.
void FillSparkSquare(PixelTarget target, int32_t x, int32_t y, int32_t size, uint32_t colour) {
  const int32_t width = std::min(size, target.width - x);
  const int32_t height = std::min(size, target.height - y);
  if (width <= 0 || height <= 0) return;
  uint32_t* row = target.pixels + static_cast<size_t>(y) * target.width + x;
  for (int32_t line = 0; line < height; ++line, row += target.width) {
    for (int32_t i = 0; i < width; ++i) row[i] = colour;
  }
}

// Nine squares in ten are 1 or 2 pixels wide, and which it is cannot be
// guessed: both are drawn as a 2 x 2 block without a branch on the size.
// The three outer pixels of a 1-pixel square are written to a spare pixel
// instead, so that nothing is read from the picture: a spark lands anywhere
// on it, and reading there would wait for memory far more often than
// writing does. Wider squares, and those at the right or bottom edge, take
// the loop.
[[gnu::always_inline]] inline void DrawSparkSquare(PixelTarget target, int32_t x, int32_t y,
                                                   int32_t size, uint32_t colour, uint32_t& spare) {
  if (x + 1 >= target.width || y + 1 >= target.height || size > 2) {
    FillSparkSquare(target, x, y, size, colour);
    return;
  }
  uint32_t* top = target.pixels + static_cast<size_t>(y) * target.width + x;
  const bool wide = size == 2;
  *top = colour;
  *(wide ? top + 1 : &spare) = colour;
  *(wide ? top + target.width : &spare) = colour;
  *(wide ? top + target.width + 1 : &spare) = colour;
}

// Whether a spark lives: on the screen and moving. Without branches, since
// whether a spark has just died is as random as the spark.
bool LivesAt(int32_t x, int32_t y, int32_t dx, int32_t dy) {
  return (x >= 1) & (x <= 1023) & (y >= 1) & (y <= 767) & ((dx | dy) != 0);
}

// -1, 0 or 1: the step of friction that takes a speed towards 0.
int32_t Sign(int32_t v) {
  return static_cast<int32_t>(v > 0) - static_cast<int32_t>(v < 0);
}

// Eight sparks' field, for moving them at once: plain vector arithmetic
// that the compiler gives the processor's vector instructions.
using EightFields = int16_t __attribute__((vector_size(16)));

EightFields LoadEight(const int16_t* field) {
  EightFields v;
  std::memcpy(&v, field, sizeof v);
  return v;
}

void StoreEight(int16_t* field, EightFields v) {
  std::memcpy(field, &v, sizeof v);
}

// Every spark of a cloud moves by its speed and slows down by one in each
// direction; the ones that stop or leave the screen die. The living keep
// their order and close up behind each other, so that the cloud's first
// sparks are always its living ones: drawing and moving them never looks
// at a dead one, whose place would cost a guess of the processor for every
// slot. Returns how many live.
//
// Eight sparks move at a time. Most often all eight live, and they are
// stored together where the living have come to; only a group with a death
// is stored spark by spark. A store never reaches beyond the group just
// read, so no spark is overwritten before it has moved.
int32_t MoveSparks(int16_t* xs, int16_t* ys, int16_t* dxs, int16_t* dys, int32_t n) {
  int32_t living = 0;
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const EightFields dx = LoadEight(dxs + i);
    const EightFields dy = LoadEight(dys + i);
    const EightFields x = LoadEight(xs + i) + dx;
    const EightFields y = LoadEight(ys + i) + dy;
    // A comparison's lane is -1 where it holds: the speed steps towards 0.
    const EightFields slowerX = dx + (dx > 0) - (dx < 0);
    const EightFields slowerY = dy + (dy > 0) - (dy < 0);
    const EightFields lives =
        (x >= 1) & (x <= 1023) & (y >= 1) & (y <= 767) & ((slowerX | slowerY) != 0);
    uint64_t halves[2];
    std::memcpy(halves, &lives, sizeof halves);
    if ((halves[0] & halves[1]) == ~uint64_t{0}) {
      StoreEight(xs + living, x);
      StoreEight(ys + living, y);
      StoreEight(dxs + living, slowerX);
      StoreEight(dys + living, slowerY);
      living += 8;
      continue;
    }
    for (int lane = 0; lane < 8; ++lane) {
      xs[living] = x[lane];
      ys[living] = y[lane];
      dxs[living] = slowerX[lane];
      dys[living] = slowerY[lane];
      living += lives[lane] & 1;
    }
  }
  for (; i < n; ++i) {
    const int32_t dx = dxs[i];
    const int32_t dy = dys[i];
    const int32_t x = xs[i] + dx;
    const int32_t y = ys[i] + dy;
    const int32_t slowerX = dx - Sign(dx);
    const int32_t slowerY = dy - Sign(dy);
    xs[living] = static_cast<int16_t>(x);
    ys[living] = static_cast<int16_t>(y);
    dxs[living] = static_cast<int16_t>(slowerX);
    dys[living] = static_cast<int16_t>(slowerY);
    living += static_cast<int32_t>(LivesAt(x, y, slowerX, slowerY));
  }
  return living;
}

// A processor core may run two threads, and a thread that waits for the
// other in a loop would take its share of the core from it: the pause
// leaves the core to the one at work.
void PauseSpinning() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

}  // namespace

// Default-initialised: the slots are left unwritten.
ParticleSystem::ParticleSystem() : blocks_(new Cloud[kCells]) {
  blockOf_.fill(-1);
  for (size_t block = kCells; block > 0; --block) {
    freeBlocks_.push_back(static_cast<int16_t>(block - 1));
  }
}

ParticleSystem::Cloud& ParticleSystem::TakeBlock(size_t cell) {
  // There are as many blocks as cells: one is always free for a cell
  // without one.
  if (blockOf_[cell] < 0) {
    blockOf_[cell] = freeBlocks_.back();
    freeBlocks_.pop_back();
  }
  return blocks_[static_cast<size_t>(blockOf_[cell])];
}

void ParticleSystem::GiveBackBlock(size_t cell) {
  if (blockOf_[cell] < 0) return;
  freeBlocks_.push_back(blockOf_[cell]);
  blockOf_[cell] = -1;
}

// MENDED: a stored count beyond 4096 is cut here, where it is used.
int32_t ParticleSystem::ClampCount(int32_t perStone) {
  return std::clamp(perStone, 0, kMaxPerStone);
}

void ParticleSystem::SpawnParticles(CellGrid& counts, int32_t column, int32_t row, int32_t centreX,
                                    int32_t centreY, int32_t offset, int32_t perStone,
                                    Chance& shared) {
  if (!OnBoard(column, row)) return;
  ChanceRun chance(shared);
  const int32_t n = ClampCount(perStone);
  const size_t cell = CellOf(column, row);
  Cloud& cloud = TakeBlock(cell);
  // Spark after spark, each takes the next four draws, a block of them
  // computed ahead at a time.
  constexpr int32_t kSparksPerBlock = kBlock / 4;
  std::array<uint16_t, kBlock> values;
  uint32_t start = chance.State();
  int32_t alive = 0;
  for (int32_t first = 0; first < n; first += kSparksPerBlock) {
    FillValues(start, values);
    const int32_t count = std::min(kSparksPerBlock, n - first);
    alive +=
        SpawnSparks(cloud, alive, count, values.data(), chance.Tick(), centreX + offset, centreY);
    start = kSteps[static_cast<size_t>(4 * count)].From(start);
  }
  chance.Continue(start);
  counts[row][column] = alive;
  living_[cell] = alive;
  if (alive == 0) GiveBackBlock(cell);
}

int32_t ParticleSystem::SpawnSparks(Cloud& cloud, int32_t first, int32_t count,
                                    const uint16_t* values, uint32_t tick, int32_t centreX,
                                    int32_t centreY) {
  // MENDED: a spark born outside the screen or standing still never lives; it
  // is not counted, so that the cloud's count still comes down to 0 when the
  // last living spark stops.
  //
  // Every spark of the block is written where it would stand if all lived,
  // in a loop the compiler turns into vector code; only a block with sparks
  // born dead then closes up behind them.
  std::array<uint8_t, kBlock / 4> lives;
  int32_t alive = 0;
  for (int32_t k = 0; k < count; ++k) {
    const uint16_t* draws = values + 4 * static_cast<size_t>(k);
    const auto x = static_cast<int16_t>(centreX + Signed64(draws[0] + tick));
    const auto y = static_cast<int16_t>(centreY + Signed64(draws[1] + tick));
    const auto dx = static_cast<int16_t>(Signed64(draws[2] + tick));
    const auto dy = static_cast<int16_t>(Signed64(draws[3] + tick));
    const auto i = static_cast<size_t>(first + k);
    cloud.x[i] = x;
    cloud.y[i] = y;
    cloud.dx[i] = dx;
    cloud.dy[i] = dy;
    lives[static_cast<size_t>(k)] = LivesAt(x, y, dx, dy) ? 1 : 0;
    alive += lives[static_cast<size_t>(k)];
  }
  if (alive == count) return alive;
  int32_t living = 0;
  for (int32_t k = 0; k < count; ++k) {
    const auto from = static_cast<size_t>(first + k);
    const auto to = static_cast<size_t>(first + living);
    cloud.x[to] = cloud.x[from];
    cloud.y[to] = cloud.y[from];
    cloud.dx[to] = cloud.dx[from];
    cloud.dy[to] = cloud.dy[from];
    living += lives[static_cast<size_t>(k)];
  }
  return alive;
}

ParticleSystem::Cloud& ParticleSystem::CloudOf(size_t cell) {
  // A cloud whose sparks have all died has given its block back and has no
  // living spark to look at.
  return blocks_[static_cast<size_t>(std::max<int16_t>(blockOf_[cell], 0))];
}

void ParticleSystem::ChooseLooks(size_t cell, Chance& shared, const PixelTarget* drawNow) {
  // Every living spark draws its look, in the order of the sparks. Drawing
  // them and moving them afterwards changes nothing of that, since each
  // spark's move depends only on the spark. On one thread each spark is
  // drawn as its look is chosen, which spares keeping the looks.
  Cloud& cloud = CloudOf(cell);
  ChanceRun chance(shared);
  SparkLooks looks(chance);
  int32_t next = 0;
  auto chooseAll = [&](auto&& use) {
    for (int32_t i = 0; i < living_[cell]; ++i) {
      const int32_t speed = std::max(std::abs(cloud.dx[i]), std::abs(cloud.dy[i]));
      use(i, looks.Next(next, speed));
    }
  };
  if (drawNow != nullptr) {
    uint32_t spare = 0;
    chooseAll([&](int32_t i, SparkLook look) {
      DrawSparkSquare(*drawNow, cloud.x[i], cloud.y[i], look.size, look.colour, spare);
    });
  } else {
    chooseAll([&](int32_t i, SparkLook look) {
      cloud.look[i] = (look.colour & 0x00FFFFFFu) | static_cast<uint32_t>(look.size) << 24;
    });
  }
  chance.Continue(looks.State(next));
}

void ParticleSystem::DrawCloud(size_t cell, PixelTarget target) {
  const Cloud& cloud = CloudOf(cell);
  uint32_t spare = 0;
  for (int32_t i = 0; i < living_[cell]; ++i) {
    const uint32_t look = cloud.look[i];
    DrawSparkSquare(target, cloud.x[i], cloud.y[i], static_cast<int32_t>(look >> 24),
                    look | 0xFF000000u, spare);
  }
}

int32_t ParticleSystem::MoveCloud(size_t cell) {
  Cloud& cloud = CloudOf(cell);
  const int32_t n = living_[cell];
  living_[cell] = MoveSparks(cloud.x.data(), cloud.y.data(), cloud.dx.data(), cloud.dy.data(), n);
  return n - living_[cell];
}

void ParticleSystem::Settle(size_t cell, int32_t died, int32_t& count) {
  if (living_[cell] == 0) GiveBackBlock(cell);
  // The count comes down by one for each spark that died, but not below 0.
  if (count > 0) count = std::max(0, count - died);
}

void ParticleSystem::UpdateParticles(CellGrid& counts, int32_t column, int32_t row,
                                     PixelTarget target, Chance& chance) {
  if (!OnBoard(column, row)) return;
  const size_t cell = CellOf(column, row);
  ChooseLooks(cell, chance, &target);
  Settle(cell, MoveCloud(cell), counts[row][column]);
}

// The clouds of one burst, shared between this thread and the helper. The
// helper chooses every cloud's looks, which must follow each other through
// the generator, while this thread draws the clouds whose looks are chosen,
// in order, into the picture it has just drawn the board into and so holds
// close at hand; then both move the drawn clouds, each taking the next. A
// helper that does not start in time is left out of the burst, and this
// thread updates the clouds one after the other, as UpdateParticles does:
// the pixels and the generator are the same either way.
struct ParticleSystem::Burst {
  ParticleSystem& system;
  PixelTarget target;
  Chance& chance;
  std::array<size_t, kCells> cells{};
  std::array<int32_t, kCells> died{};
  int32_t count = 0;
  // Who has the looks: nobody yet, the helper, or this thread (alone).
  enum Looks : int32_t { kOpen, kHelper, kAlone };
  std::atomic<int32_t> looks{kOpen};
  std::atomic<int32_t> looksChosen{0};
  std::atomic<int32_t> drawn{0};
  std::atomic<int32_t> nextToMove{0};
  // How long the game's thread has waited for the helper.
  std::chrono::steady_clock::duration waited{};

  // Waits, briefly, for another thread that is at work; adds the wait to
  // `waited`.
  static void AwaitAbove(const std::atomic<int32_t>& progress, int32_t k,
                         std::chrono::steady_clock::duration& waited) {
    if (progress.load(std::memory_order_acquire) > k) return;
    const auto waitFrom = std::chrono::steady_clock::now();
    for (int32_t spins = 1; progress.load(std::memory_order_acquire) <= k; ++spins) {
      PauseSpinning();
      if (spins % 64 == 0) std::this_thread::yield();
    }
    waited += std::chrono::steady_clock::now() - waitFrom;
  }

  bool Take(Looks who) {
    int32_t open = kOpen;
    return looks.compare_exchange_strong(open, who);
  }

  void DrawAll() {
    for (int32_t k = 0; k < count; ++k) {
      AwaitAbove(looksChosen, k, waited);
      system.DrawCloud(cells[static_cast<size_t>(k)], target);
      drawn.store(k + 1, std::memory_order_release);
    }
  }

  void MoveAll(std::chrono::steady_clock::duration& movesWaited) {
    for (int32_t k = nextToMove++; k < count; k = nextToMove++) {
      AwaitAbove(drawn, k, movesWaited);
      died[static_cast<size_t>(k)] = system.MoveCloud(cells[static_cast<size_t>(k)]);
    }
  }

  void UpdateAlone() {
    for (int32_t k = 0; k < count; ++k) {
      const size_t cell = cells[static_cast<size_t>(k)];
      system.ChooseLooks(cell, chance, &target);
      died[static_cast<size_t>(k)] = system.MoveCloud(cell);
    }
  }

  static void Help(void* context) {
    Burst& burst = *static_cast<Burst*>(context);
    if (!burst.Take(kHelper)) return;
    for (int32_t k = 0; k < burst.count; ++k) {
      burst.system.ChooseLooks(burst.cells[static_cast<size_t>(k)], burst.chance, nullptr);
      burst.looksChosen.store(k + 1, std::memory_order_release);
    }
    std::chrono::steady_clock::duration helperWaited{};
    burst.MoveAll(helperWaited);
  }
};

void ParticleSystem::UpdateAllParticles(CellGrid& counts, PixelTarget target, Chance& chance,
                                        HelperThread& helper) {
  Burst burst{*this, target, chance};
  int32_t sparks = 0;
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (counts[row][column] > 0) {
        const size_t cell = CellOf(column, row);
        burst.cells[static_cast<size_t>(burst.count++)] = cell;
        sparks += living_[cell];
      }
    }
  }
  if (burst.count == 0) return;
  // Fewer sparks than this are drawn and moved sooner than the helper wakes.
  constexpr int32_t kSharedFrom = 16384;
  if (sparks >= kSharedFrom && helper.Offer(&Burst::Help, &burst)) {
    // A helper woken from its rest takes some tens of microseconds to start.
    constexpr auto kHelperStart = std::chrono::microseconds(300);
    const auto giveUp = std::chrono::steady_clock::now() + kHelperStart;
    while (burst.looks.load() == Burst::kOpen && std::chrono::steady_clock::now() < giveUp) {
      PauseSpinning();
    }
  }
  if (burst.Take(Burst::kAlone)) {
    burst.UpdateAlone();
    helper.Finish();
  } else {
    burst.DrawAll();
    burst.MoveAll(burst.waited);
    helper.Finish();
    if (burst.waited > HelperThread::kLongWait) helper.KeptWaiting();
  }
  for (int32_t k = 0; k < burst.count; ++k) {
    const size_t cell = burst.cells[static_cast<size_t>(k)];
    Settle(
        cell, burst.died[static_cast<size_t>(k)],
        counts[static_cast<int32_t>(cell) % kBoardSize][static_cast<int32_t>(cell) / kBoardSize]);
  }
}

}  // namespace kb
