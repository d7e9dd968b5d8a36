#include "game/particle_system.h"

#include <algorithm>
#include <cstdlib>

namespace kb {
namespace {

int32_t Signed64(ChanceRun& chance) {
  return static_cast<int32_t>(chance.Below(64)) - 32;
}

void FillSquare(PixelTarget target, int32_t x, int32_t y, int32_t size, uint32_t colour) {
  for (int32_t py = std::max(y, 0); py < std::min(y + size, target.height); ++py) {
    for (int32_t px = std::max(x, 0); px < std::min(x + size, target.width); ++px) {
      target.pixels[static_cast<size_t>(py) * target.width + px] = colour;
    }
  }
}

int8_t TowardsZero(int8_t v) {
  return static_cast<int8_t>(v > 0 ? v - 1 : (v < 0 ? v + 1 : 0));
}

}  // namespace

ParticleSystem::ParticleSystem()
    : slots_(static_cast<size_t>(kBoardSize) * kBoardSize * kMaxPerStone, Particle{0, 0, 0, 0}) {}

int32_t ParticleSystem::ClampCount(int32_t perStone) {
  return std::clamp(perStone, 0, kMaxPerStone);
}

bool ParticleSystem::Alive(const Particle& p) {
  return p.x >= 1 && p.x <= 1023 && p.y >= 1 && p.y <= 767 && (p.dx != 0 || p.dy != 0);
}

void ParticleSystem::SpawnParticles(CellGrid& counts, int32_t column, int32_t row, int32_t centreX,
                                    int32_t centreY, int32_t offset, int32_t perStone,
                                    Chance& shared) {
  if (!OnBoard(column, row)) return;
  ChanceRun chance(shared);
  const int32_t n = ClampCount(perStone);
  Particle* block = Block(column, row);
  for (int32_t i = 0; i < n; ++i) {
    Particle& p = block[i];
    p.x = static_cast<int16_t>(centreX + offset + Signed64(chance));
    p.y = static_cast<int16_t>(centreY + Signed64(chance));
    p.dx = static_cast<int8_t>(Signed64(chance));
    p.dy = static_cast<int8_t>(Signed64(chance));
  }
  // A spark born outside the screen or standing still never lives; it is not
  // counted, so that the cloud's count still comes down to 0 when the last
  // living spark stops.
  int32_t alive = 0;
  for (int32_t i = 0; i < n; ++i) alive += Alive(block[i]) ? 1 : 0;
  counts[row][column] = alive;
  spawned_[row][column] = n;
}

void ParticleSystem::UpdateParticles(CellGrid& counts, int32_t column, int32_t row,
                                     PixelTarget target, Chance& shared) {
  if (!OnBoard(column, row)) return;
  ChanceRun chance(shared);
  const int32_t n = spawned_[row][column];
  Particle* block = Block(column, row);
  for (int32_t i = 0; i < n; ++i) {
    Particle& p = block[i];
    if (!Alive(p)) continue;
    const int32_t speed = std::abs(p.dx) > std::abs(p.dy) ? std::abs(p.dx) : std::abs(p.dy);
    // Fast sparks are bright, slow ones darker.
    const uint32_t red = chance.Below(128) + 4 * static_cast<uint32_t>(speed);
    const uint32_t green = chance.Below(128) + 4 * static_cast<uint32_t>(speed);
    const uint32_t blue = chance.Below(128) + 4 * static_cast<uint32_t>(speed);
    const uint32_t colour =
        0xFF000000u | std::min(red, 255u) << 16 | std::min(green, 255u) << 8 | std::min(blue, 255u);
    FillSquare(target, p.x, p.y, 1, colour);
    for (int32_t size = 2; size <= 5 && chance.Below(3) == 0; ++size) {
      FillSquare(target, p.x, p.y, size, colour);
    }
    p.x = static_cast<int16_t>(p.x + p.dx);
    p.y = static_cast<int16_t>(p.y + p.dy);
    p.dx = TowardsZero(p.dx);
    p.dy = TowardsZero(p.dy);
    if (!Alive(p) && counts[row][column] > 0) --counts[row][column];
  }
}

}  // namespace kb
