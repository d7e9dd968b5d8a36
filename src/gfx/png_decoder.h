#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "gfx/image.h"

namespace kb {

// PNG through libpng: every colour type and bit depth, interlaced or not, to
// 8-bit ARGB. Alpha channels and tRNS transparency are kept; 16-bit samples are
// rounded to 8 bits. Gamma and colour profiles are ignored: the samples are
// taken as they stand. Strict like the BMP decoder: a palette index beyond the
// palette and libpng's "benign" errors fail the decode.
std::optional<Image> DecodePng(std::span<const uint8_t> bytes, std::string* error = nullptr);

}  // namespace kb
