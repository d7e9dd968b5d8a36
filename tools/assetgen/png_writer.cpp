#include "png_writer.h"

#include <algorithm>
#include <cmath>

#include <png.h>

namespace kb::assetgen {
namespace {

uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::vector<uint8_t> EncodePng(const Canvas& canvas) {
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(canvas.Width()) * canvas.Height() * 4);
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Rgba& p = canvas.At(x, y);
      const uint8_t alpha = ToByte(p.a);
      // A fully transparent pixel carries no colour; zero compresses best.
      if (alpha == 0) {
        rgba.insert(rgba.end(), {0, 0, 0, 0});
      } else {
        rgba.insert(rgba.end(), {ToByte(p.r), ToByte(p.g), ToByte(p.b), alpha});
      }
    }
  }
  // The simplified libpng interface reports errors through the image's
  // message instead of a long jump; the first call only measures.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.Width());
  image.height = static_cast<png_uint_32>(canvas.Height());
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) {
    return {};
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace kb::assetgen
