#pragma once

#include <cstdint>

namespace kb::assetgen {

// A small seeded generator for the pictures and sounds, so every run paints
// and plays the same bytes.
class AssetRandom {
 public:
  explicit AssetRandom(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
  uint32_t NextU32();
  float Unit();                        // 0 <= v < 1
  float Range(float low, float high);  // low <= v < high
  int Below(int bound);                // 0 <= v < bound
  float Signed() { return Range(-1.0f, 1.0f); }

 private:
  uint32_t state_;
};

// Hash of integer lattice coordinates to 0..1.
float LatticeValue(int x, int y, uint32_t seed);
// Smooth value noise, about 0..1, with features one unit apart.
float ValueNoise(float x, float y, uint32_t seed);
// Several octaves of value noise, about 0..1.
float FractalNoise(float x, float y, uint32_t seed, int octaves);

}  // namespace kb::assetgen
