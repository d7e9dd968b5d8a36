#include "game/particle_system.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kb {
namespace {

// kJump[k] takes the generator k steps on: a spark's draws are its next
// states, computed from the state before the spark independently of each other.
constexpr std::array<RandomJump, 8> kJump = {JumpAhead(0), JumpAhead(1), JumpAhead(2),
                                             JumpAhead(3), JumpAhead(4), JumpAhead(5),
                                             JumpAhead(6), JumpAhead(7)};

int32_t Signed64(uint32_t draw) {
  return static_cast<int32_t>(draw % 64) - 32;
}

// Fast sparks are bright, slow ones darker: each channel is Below(128) plus
// four times the speed. Only the low 7 bits of each draw count, and those of
// Value(state) + tick are bits 16 to 22 of state + (tick << 16), so the
// channels are masked straight out of the three states. Speeds are at most 32
// (sparks start below that and only slow down), so no channel exceeds 255 and
// four times the speed is added to all three at once.
uint32_t SparkColour(uint32_t red, uint32_t green, uint32_t blue, int32_t speed) {
  return (0xFF000000u | (red & 0x7F0000u) | (green >> 8 & 0x7F00u) | (blue >> 16 & 0x7Fu)) +
         static_cast<uint32_t>(speed) * 0x040404u;
}

// `chosen` where the condition holds, else `otherwise`, with masks rather
// than a jump the processor would have to guess.
uint32_t SelectIf(bool condition, uint32_t chosen, uint32_t otherwise) {
  const uint32_t mask = 0u - static_cast<uint32_t>(condition);
  return otherwise ^ ((otherwise ^ chosen) & mask);
}

// v % 3 == 0 in one multiplication: times the inverse of 3 modulo 2^32, the
// multiples of 3 are exactly the numbers up to (2^32 - 1) / 3.
bool DivisibleBy3(uint32_t v) {
  return v * 0xAAAAAAABu <= 0x55555555u;
}

struct SparkLook {
  uint32_t colour;
  int32_t size;
};

// A spark's colour takes three draws; then squares of 2, 3, 4 and 5 pixels
// follow for as long as Below(3) draws 0, with at most four such draws. The
// squares share the colour and each covers the one before, so only the
// largest counts. All seven possible draws come from the state before the
// spark at once, and the state after its last draw is picked without a
// branch: whether a draw is 0 is a coin toss no branch predictor can guess.
SparkLook DrawSparkLook(const ChanceRun& chance, uint32_t& state, int32_t speed) {
  const uint32_t s = state;
  const uint32_t tickHigh = chance.Tick() << 16;
  const uint32_t colour = SparkColour(kJump[1].From(s) + tickHigh, kJump[2].From(s) + tickHigh,
                                      kJump[3].From(s) + tickHigh, speed);
  const uint32_t s4 = kJump[4].From(s);
  const uint32_t s5 = kJump[5].From(s);
  const uint32_t s6 = kJump[6].From(s);
  const uint32_t s7 = kJump[7].From(s);
  const bool grow2 = DivisibleBy3(chance.DrawAt(s4));
  const bool grow3 = grow2 & DivisibleBy3(chance.DrawAt(s5));
  const bool grow4 = grow3 & DivisibleBy3(chance.DrawAt(s6));
  const bool grow5 = grow4 & DivisibleBy3(chance.DrawAt(s7));
  state = SelectIf(grow4, s7, SelectIf(grow3, s6, SelectIf(grow2, s5, s4)));
  return {colour, 1 + grow2 + grow3 + grow4 + grow5};
}

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
// guessed: both are drawn as a 2 x 2 block without a branch on the size, its
// three outer pixels taking the colour or keeping what they had. Wider
// squares, and those at the right or bottom edge, take the loop.
void DrawSparkSquare(PixelTarget target, int32_t x, int32_t y, int32_t size, uint32_t colour) {
  if (x + 1 >= target.width || y + 1 >= target.height || size > 2) {
    FillSparkSquare(target, x, y, size, colour);
    return;
  }
  uint32_t* top = target.pixels + static_cast<size_t>(y) * target.width + x;
  uint32_t* below = top + target.width;
  const bool wide = size == 2;
  const uint32_t topRight = top[1];
  const uint32_t belowLeft = below[0];
  const uint32_t belowRight = below[1];
  top[0] = colour;
  top[1] = SelectIf(wide, colour, topRight);
  below[0] = SelectIf(wide, colour, belowLeft);
  below[1] = SelectIf(wide, colour, belowRight);
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

// Every living spark of a cloud moves by its speed and slows down by one in
// each direction; the ones that stop or leave the screen die. A dead spark's
// speed counts as 0, so that it stays as it is without a branch and the
// compiler turns the loop into vector code. Returns how many died.
int32_t MoveSparks(int16_t* xs, int16_t* ys, int16_t* dxs, int16_t* dys, int16_t* alive,
                   int32_t n) {
  int32_t died = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t was = alive[i];
    const int32_t dx = dxs[i] * was;
    const int32_t dy = dys[i] * was;
    const int32_t x = xs[i] + dx;
    const int32_t y = ys[i] + dy;
    const int32_t slowerX = dxs[i] - Sign(dx);
    const int32_t slowerY = dys[i] - Sign(dy);
    const int32_t lives = was & static_cast<int32_t>(LivesAt(x, y, slowerX, slowerY));
    xs[i] = static_cast<int16_t>(x);
    ys[i] = static_cast<int16_t>(y);
    dxs[i] = static_cast<int16_t>(slowerX);
    dys[i] = static_cast<int16_t>(slowerY);
    alive[i] = static_cast<int16_t>(lives);
    died += was - lives;
  }
  return died;
}

}  // namespace

ParticleSystem::ParticleSystem() : clouds_(static_cast<size_t>(kBoardSize) * kBoardSize) {}

int32_t ParticleSystem::ClampCount(int32_t perStone) {
  return std::clamp(perStone, 0, kMaxPerStone);
}

void ParticleSystem::SpawnParticles(CellGrid& counts, int32_t column, int32_t row, int32_t centreX,
                                    int32_t centreY, int32_t offset, int32_t perStone,
                                    Chance& shared) {
  if (!OnBoard(column, row)) return;
  ChanceRun chance(shared);
  const int32_t n = ClampCount(perStone);
  Cloud& cloud = CloudAt(column, row);
  uint32_t state = chance.State();
  // A spark born outside the screen or standing still never lives; it is not
  // counted, so that the cloud's count still comes down to 0 when the last
  // living spark stops.
  int32_t alive = 0;
  for (int32_t i = 0; i < n; ++i) {
    const auto x =
        static_cast<int16_t>(centreX + offset + Signed64(chance.DrawAt(kJump[1].From(state))));
    const auto y = static_cast<int16_t>(centreY + Signed64(chance.DrawAt(kJump[2].From(state))));
    const auto dx = static_cast<int16_t>(Signed64(chance.DrawAt(kJump[3].From(state))));
    const auto dy = static_cast<int16_t>(Signed64(chance.DrawAt(kJump[4].From(state))));
    state = kJump[4].From(state);
    const bool lives = LivesAt(x, y, dx, dy);
    cloud.x[i] = x;
    cloud.y[i] = y;
    cloud.dx[i] = dx;
    cloud.dy[i] = dy;
    cloud.alive[i] = lives ? 1 : 0;
    alive += lives ? 1 : 0;
  }
  chance.Continue(state);
  counts[row][column] = alive;
  spawned_[row][column] = n;
}

void ParticleSystem::UpdateParticles(CellGrid& counts, int32_t column, int32_t row,
                                     PixelTarget target, Chance& shared) {
  if (!OnBoard(column, row)) return;
  const int32_t n = spawned_[row][column];
  Cloud& cloud = CloudAt(column, row);
  {
    // Every living spark draws its look, in the order of the sparks, and is
    // drawn where it stands; moving them all afterwards changes nothing of
    // that, since each spark's move depends only on the spark.
    ChanceRun chance(shared);
    uint32_t state = chance.State();
    for (int32_t i = 0; i < n; ++i) {
      if (cloud.alive[i] == 0) continue;
      const int32_t speed = std::max(std::abs(cloud.dx[i]), std::abs(cloud.dy[i]));
      const SparkLook look = DrawSparkLook(chance, state, speed);
      DrawSparkSquare(target, cloud.x[i], cloud.y[i], look.size, look.colour);
    }
    chance.Continue(state);
  }
  const int32_t died = MoveSparks(cloud.x.data(), cloud.y.data(), cloud.dx.data(), cloud.dy.data(),
                                  cloud.alive.data(), n);
  // The count comes down by one for each spark that died, but not below 0.
  int32_t& living = counts[row][column];
  if (living > 0) living = std::max(0, living - died);
}

}  // namespace kb
