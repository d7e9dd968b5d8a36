#include "gfx/bmp_encoder.h"

#include "core/little_endian.h"

namespace kb {

std::vector<uint8_t> EncodeBmp(const Image& image) {
  const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3u + 3u) & ~3u;
  const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
  constexpr uint32_t kHeaderBytes = 14 + 40;
  std::vector<uint8_t> out;
  out.reserve(kHeaderBytes + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, kHeaderBytes + pixelBytes);
  PutU32(out, 0);
  PutU32(out, kHeaderBytes);
  PutU32(out, 40);
  PutU32(out, static_cast<uint32_t>(image.width));
  PutU32(out, static_cast<uint32_t>(image.height));
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);  // BI_RGB
  PutU32(out, pixelBytes);
  PutU32(out, 2835);  // 72 dpi
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.At(x, y);
      out.push_back(static_cast<uint8_t>(p));
      out.push_back(static_cast<uint8_t>(p >> 8));
      out.push_back(static_cast<uint8_t>(p >> 16));
    }
    for (uint32_t pad = static_cast<uint32_t>(image.width) * 3u; pad < rowBytes; ++pad)
      out.push_back(0);
  }
  return out;
}

}  // namespace kb
