#include "gfx/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>

#include "core/little_endian.h"
#include "gfx/image_decoder.h"

namespace kb {
namespace {

constexpr char kFormat[] = "BMP";
constexpr const char* kTruncated = "Datei ist abgeschnitten";
constexpr const char* kBadHeader = "Dateikopf ist fehlerhaft";
constexpr const char* kBadDepth = "unbekannte Farbtiefe";
constexpr const char* kBadCompression = "unbekannte Kompression";
constexpr const char* kBadMasks = "Farbmasken sind fehlerhaft";
constexpr const char* kNoPalette = "Palette fehlt";
constexpr const char* kBadIndex = "Farbindex ausserhalb der Palette";
constexpr const char* kBadRle = "RLE-Daten sind fehlerhaft";

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

uint32_t U16(std::span<const uint8_t> b, std::size_t at) {
  return GetU16(b.data() + at);
}

uint32_t U32(std::span<const uint8_t> b, std::size_t at) {
  return GetU32(b.data() + at);
}

int64_t S32(std::span<const uint8_t> b, std::size_t at) {
  return static_cast<int32_t>(U32(b, at));
}

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // always positive; the file's sign is in topDown
  bool topDown = false;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = kRgb;
  std::array<uint32_t, 4> masks{};  // red, green, blue, alpha
  uint64_t paletteOffset = 0;
  uint32_t paletteEntrySize = 4;
  uint32_t paletteUsed = 0;  // 0: as many as the depth allows
  uint64_t pixelOffset = 0;
};

// Extracts one colour component through its bit mask; wide fields keep their
// top eight bits, narrow ones are stretched so that all ones become 255.
struct Channel {
  uint32_t mask = 0;
  uint32_t shift = 0;
  std::array<uint8_t, 256> scale{};

  uint32_t Of(uint32_t pixel) const { return scale[(pixel & mask) >> shift]; }
};

bool MakeChannel(uint32_t mask, Channel& channel) {
  channel.mask = mask;
  if (mask == 0) return true;
  const int low = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  if (std::countr_one(mask >> low) != bits) return false;  // holes in the mask
  const int kept = std::min(bits, 8);
  channel.shift = static_cast<uint32_t>(low + bits - kept);
  const uint32_t top = (1u << kept) - 1u;
  for (uint32_t v = 0; v <= top; ++v)
    channel.scale[v] = static_cast<uint8_t>((v * 255u + top / 2) / top);
  return true;
}

bool IsIndexed(uint32_t bitsPerPixel) {
  return bitsPerPixel <= 8;
}

const char* CheckDepthAndCompression(const BmpHeader& h, bool core) {
  switch (h.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
      break;
    case 16:
    case 32:
      if (!core) break;
      [[fallthrough]];
    default:
      return kBadDepth;
  }
  switch (h.compression) {
    case kRgb:
      return nullptr;
    case kRle8:
    case kRle4:
      // RLE streams run bottom-up by definition.
      if (h.bitsPerPixel != (h.compression == kRle8 ? 8u : 4u)) return kBadCompression;
      return h.topDown ? kBadHeader : nullptr;
    case kBitFields:
    case kAlphaBitFields:
      return (h.bitsPerPixel == 16 || h.bitsPerPixel == 32) ? nullptr : kBadCompression;
    default:
      return kBadCompression;
  }
}

const char* ParseHeader(std::span<const uint8_t> b, BmpHeader& h) {
  if (b.size() < kFileHeaderSize + 4) return kTruncated;
  h.pixelOffset = U32(b, 10);
  const uint32_t headerSize = U32(b, kFileHeaderSize);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124) {
    return kBadHeader;
  }
  if (b.size() < kFileHeaderSize + headerSize) return kTruncated;
  uint32_t planes = 0;
  if (core) {
    h.width = U16(b, 18);
    h.height = U16(b, 20);
    planes = U16(b, 22);
    h.bitsPerPixel = U16(b, 24);
    h.paletteEntrySize = 3;
  } else {
    h.width = S32(b, 18);
    h.height = S32(b, 22);
    planes = U16(b, 26);
    h.bitsPerPixel = U16(b, 28);
    h.compression = U32(b, 30);
    h.paletteUsed = U32(b, 46);
  }
  if (planes != 1 || h.width < 0) return kBadHeader;
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (const char* message = CheckDepthAndCompression(h, core)) return message;

  h.paletteOffset = kFileHeaderSize + headerSize;
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    const uint64_t maskCount = h.compression == kAlphaBitFields ? 4 : 3;
    if (headerSize == kInfoHeaderSize) {
      // The plain info header is followed by the masks instead of holding them.
      if (b.size() < h.paletteOffset + 4 * maskCount) return kTruncated;
      for (uint64_t i = 0; i < maskCount; ++i) h.masks[i] = U32(b, h.paletteOffset + 4 * i);
      h.paletteOffset += 4 * maskCount;
    } else {
      const uint32_t inHeader = headerSize >= 56 ? 4 : 3;
      for (uint32_t i = 0; i < inHeader; ++i) h.masks[i] = U32(b, kFileHeaderSize + 40 + 4 * i);
    }
  } else if (h.bitsPerPixel == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F, 0};
  } else if (h.bitsPerPixel == 32) {
    h.masks = {0xFF0000, 0xFF00, 0xFF, 0};
  }
  if (h.pixelOffset < h.paletteOffset || h.pixelOffset > b.size()) return kBadHeader;
  return nullptr;
}

// Reads the palette that lies between the headers and the pixels; a declared
// palette longer than that space is cut to what is there.
uint32_t ReadPalette(std::span<const uint8_t> b, const BmpHeader& h,
                     std::array<uint32_t, 256>& palette) {
  const uint32_t depthLimit = 1u << h.bitsPerPixel;
  uint64_t count = h.paletteUsed == 0 ? depthLimit : std::min(h.paletteUsed, depthLimit);
  count = std::min<uint64_t>(count, (h.pixelOffset - h.paletteOffset) / h.paletteEntrySize);
  for (uint64_t i = 0; i < count; ++i) {
    const std::size_t at = h.paletteOffset + i * h.paletteEntrySize;
    palette[i] = 0xFF000000u | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 1]} << 8 | b[at];
  }
  return static_cast<uint32_t>(count);
}

uint32_t IndexAt(const uint8_t* row, int64_t x, uint32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u;
    default:
      return row[x];
  }
}

const char* DecodeIndexedRows(const uint8_t* pixels, uint64_t stride, const BmpHeader& h,
                              const std::array<uint32_t, 256>& palette, uint32_t colours,
                              Image& image) {
  for (int64_t r = 0; r < h.height; ++r) {
    const uint8_t* row = pixels + r * stride;
    uint32_t* out = &image.pixels[(h.topDown ? r : h.height - 1 - r) * h.width];
    for (int64_t x = 0; x < h.width; ++x) {
      const uint32_t index = IndexAt(row, x, h.bitsPerPixel);
      if (index >= colours) return kBadIndex;
      out[x] = palette[index];
    }
  }
  return nullptr;
}

// Channels for 16- and 32-bit pixels: red, green, blue, alpha.
const char* MakeChannels(const BmpHeader& h, std::array<Channel, 4>& channels) {
  const uint32_t limit = h.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((h.masks[i] & ~limit) != 0 || !MakeChannel(h.masks[i], channels[i])) return kBadMasks;
  }
  if (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) return kBadMasks;
  return nullptr;
}

void DecodeDirectRows(const uint8_t* pixels, uint64_t stride, const BmpHeader& h,
                      const std::array<Channel, 4>& channels, Image& image) {
  // Plain 32-bit files leave the fourth byte unused; only a mask gives it meaning.
  const bool alphaFromFile =
      (h.compression == kBitFields || h.compression == kAlphaBitFields) && h.masks[3] != 0;
  for (int64_t r = 0; r < h.height; ++r) {
    const uint8_t* row = pixels + r * stride;
    uint32_t* out = &image.pixels[(h.topDown ? r : h.height - 1 - r) * h.width];
    if (h.bitsPerPixel == 24) {
      // Every background and most pictures: a loop of its own, which the
      // compiler keeps free of the other depths' tests.
      for (int64_t x = 0; x < h.width; ++x) {
        const uint8_t* p = row + 3 * x;
        out[x] = 0xFF000000u | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
      }
      continue;
    }
    for (int64_t x = 0; x < h.width; ++x) {
      uint32_t v = 0;
      if (h.bitsPerPixel == 16) {
        v = uint32_t{row[2 * x]} | uint32_t{row[2 * x + 1]} << 8;
      } else {
        const uint8_t* p = row + 4 * x;
        v = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
      }
      const uint32_t a = alphaFromFile ? channels[3].Of(v) : 0xFFu;
      out[x] = a << 24 | channels[0].Of(v) << 16 | channels[1].Of(v) << 8 | channels[2].Of(v);
    }
  }
}

// Runs and absolute stretches of palette indices, rows from the bottom. Every
// step consumes input, so a hostile stream ends at the end of the file at the
// latest; every write is checked against the picture.
const char* DecodeRle(std::span<const uint8_t> b, const BmpHeader& h,
                      const std::array<uint32_t, 256>& palette, uint32_t colours, Image& image) {
  const bool rle8 = h.compression == kRle8;
  std::size_t pos = h.pixelOffset;
  int64_t x = 0;
  int64_t y = 0;
  auto fits = [&](uint32_t n) { return y < h.height && x + n <= h.width; };
  auto put = [&](uint32_t index) {
    if (index >= colours) return false;
    image.pixels[(h.height - 1 - y) * h.width + x++] = palette[index];
    return true;
  };
  while (true) {
    if (b.size() - pos < 2) return kTruncated;
    const uint32_t count = b[pos];
    const uint32_t code = b[pos + 1];
    pos += 2;
    if (count > 0) {
      if (!fits(count)) return kBadRle;
      for (uint32_t i = 0; i < count; ++i) {
        const uint32_t index = rle8 ? code : ((i & 1) ? code & 15u : code >> 4);
        if (!put(index)) return kBadIndex;
      }
    } else if (code == 0) {
      x = 0;
      ++y;
    } else if (code == 1) {
      return nullptr;
    } else if (code == 2) {
      if (b.size() - pos < 2) return kTruncated;
      x += b[pos];
      y += b[pos + 1];
      pos += 2;
    } else {
      const std::size_t dataBytes = rle8 ? code : (code + 1) / 2;
      const std::size_t paddedBytes = (dataBytes + 1) & ~std::size_t{1};
      if (b.size() - pos < paddedBytes) return kTruncated;
      if (!fits(code)) return kBadRle;
      for (uint32_t i = 0; i < code; ++i) {
        const uint8_t byte = b[pos + (rle8 ? i : i / 2)];
        const uint32_t index = rle8 ? byte : ((i & 1) ? byte & 15u : byte >> 4);
        if (!put(index)) return kBadIndex;
      }
      pos += paddedBytes;
    }
  }
}

}  // namespace

std::optional<Image> DecodeBmp(std::span<const uint8_t> bytes, std::string* error) {
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    return DecodeFailure(error, kFormat, "Signatur fehlt");
  }
  BmpHeader h;
  if (const char* message = ParseHeader(bytes, h)) return DecodeFailure(error, kFormat, message);
  if (!CheckImageSize(h.width, h.height, kFormat, error)) return std::nullopt;

  std::array<uint32_t, 256> palette{};
  uint32_t colours = 0;
  std::array<Channel, 4> channels;
  if (IsIndexed(h.bitsPerPixel)) {
    colours = ReadPalette(bytes, h, palette);
    if (colours == 0) return DecodeFailure(error, kFormat, kNoPalette);
  } else if (h.bitsPerPixel != 24) {
    if (const char* message = MakeChannels(h, channels)) {
      return DecodeFailure(error, kFormat, message);
    }
  }
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  const uint64_t rowBits = static_cast<uint64_t>(h.width) * h.bitsPerPixel;
  const uint64_t stride = (rowBits + 31) / 32 * 4;
  if (!rle) {
    // The last row may lack its padding; everything before it must be there.
    const uint64_t needed = stride * static_cast<uint64_t>(h.height - 1) + (rowBits + 7) / 8;
    if (bytes.size() - h.pixelOffset < needed) return DecodeFailure(error, kFormat, kTruncated);
  }

  Image image(static_cast<int>(h.width), static_cast<int>(h.height));
  const uint8_t* pixels = bytes.data() + h.pixelOffset;
  const char* message = nullptr;
  if (rle) {
    message = DecodeRle(bytes, h, palette, colours, image);
  } else if (IsIndexed(h.bitsPerPixel)) {
    message = DecodeIndexedRows(pixels, stride, h, palette, colours, image);
  } else {
    DecodeDirectRows(pixels, stride, h, channels, image);
  }
  if (message != nullptr) return DecodeFailure(error, kFormat, message);
  return image;
}

}  // namespace kb
