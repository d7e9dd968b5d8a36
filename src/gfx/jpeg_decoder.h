#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "gfx/image.h"

namespace kb {

// Baseline and progressive JPEG through libjpeg: grayscale, YCbCr and RGB
// files; CMYK is refused. Any warning of the library (a premature end, broken
// entropy data) fails the decode, so a truncated file never comes back padded
// with grey.
std::optional<Image> DecodeJpeg(std::span<const uint8_t> bytes, std::string* error = nullptr);

}  // namespace kb
