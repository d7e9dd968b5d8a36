#pragma once

#include <cstdint>
#include <vector>

#include "gfx/image.h"

namespace kb {

// A 24-bit uncompressed bottom-up BMP of the picture, the variant every viewer
// opens; alpha is dropped.
std::vector<uint8_t> EncodeBmp(const Image& image);

}  // namespace kb
