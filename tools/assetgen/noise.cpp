#include "noise.h"

#include <cmath>

namespace kb::assetgen {
namespace {

uint32_t Hash(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7FEB352Du;
  v ^= v >> 15;
  v *= 0x846CA68Bu;
  v ^= v >> 16;
  return v;
}

float Smooth(float t) {
  return t * t * (3.0f - 2.0f * t);
}

}  // namespace

uint32_t AssetRandom::NextU32() {
  // xorshift32: fast, and the same sequence on every machine.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

float AssetRandom::Unit() {
  return static_cast<float>(NextU32() >> 8) / 16777216.0f;
}

float AssetRandom::Range(float low, float high) {
  return low + (high - low) * Unit();
}

int AssetRandom::Below(int bound) {
  return static_cast<int>(NextU32() % static_cast<uint32_t>(bound));
}

float LatticeValue(int x, int y, uint32_t seed) {
  const uint32_t h =
      Hash(static_cast<uint32_t>(x) * 73856093u ^ Hash(static_cast<uint32_t>(y) + seed));
  return static_cast<float>(h >> 8) / 16777216.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = Smooth(x - fx);
  const float ty = Smooth(y - fy);
  const float a = LatticeValue(ix, iy, seed);
  const float b = LatticeValue(ix + 1, iy, seed);
  const float c = LatticeValue(ix, iy + 1, seed);
  const float d = LatticeValue(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float FractalNoise(float x, float y, uint32_t seed, int octaves) {
  float sum = 0.0f;
  float amplitude = 0.5f;
  float total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
    total += amplitude;
    x *= 2.0f;
    y *= 2.0f;
    amplitude *= 0.5f;
  }
  return sum / total;
}

}  // namespace kb::assetgen
