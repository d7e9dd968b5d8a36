#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace kb::assetgen {

// 8-bit RGBA PNG of the canvas with its transparency kept (straight alpha,
// sRGB). Empty on failure.
std::vector<uint8_t> EncodePng(const Canvas& canvas);

}  // namespace kb::assetgen
