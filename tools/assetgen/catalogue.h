#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gfx/image.h"

namespace kb::assetgen {

enum class AssetFormat { kBmp, kJpeg, kWav, kOgg };

// Corners of a picture that must be the transparent key colour.
enum CornerMask : uint8_t {
  kTopLeft = 1,
  kTopRight = 2,
  kBottomLeft = 4,
  kBottomRight = 8,
  kAllCorners = 15,
};

// One file of the data folder: where it goes, what it is and how it is made.
struct CatalogueEntry {
  std::string path;  // relative to the data folder, '/' separators, UTF-8
  AssetFormat format = AssetFormat::kBmp;
  int width = 0;  // pictures only
  int height = 0;
  uint8_t blackCorners = 0;                     // corners that must be pure black (transparent)
  std::function<Image()> paint;                 // pictures
  std::function<std::vector<uint8_t>()> sound;  // sounds, already encoded
};

// Each track runs at least this long before the game starts the other one.
constexpr float kMusicMinimumSeconds = 120.0f;

// Every file the game loads, in the game's load order.
std::vector<CatalogueEntry> BuildCatalogue();

}  // namespace kb::assetgen
