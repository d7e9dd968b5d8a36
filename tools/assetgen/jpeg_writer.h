#pragma once

#include <cstdint>
#include <vector>

#include "gfx/image.h"

namespace kb::assetgen {

// Baseline JPEG of the picture, full colour resolution (no chroma halving, so
// thin coloured lines keep their colour). Empty on failure.
std::vector<uint8_t> EncodeJpeg(const Image& image, int quality);

}  // namespace kb::assetgen
