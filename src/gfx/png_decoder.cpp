#include "gfx/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <utility>

#include "gfx/image_decoder.h"

namespace kb {
namespace {

constexpr char kFormat[] = "PNG";

// The colours of a palette image; libpng itself would quietly turn an index
// beyond the palette into black, here it is an error as in a BMP.
struct Palette {
  std::array<uint32_t, 256> colours{};
  int count = 0;
};

// Everything the callbacks touch lives here, outside the frame that calls
// setjmp, so nothing is left indeterminate after a jump.
struct PngContext {
  std::span<const uint8_t> bytes;
  std::size_t position = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  char message[128] = {};
  bool truncated = false;
  Palette palette;
  Image image;
};

PngContext& ContextOf(png_structp png) {
  return *static_cast<PngContext*>(png_get_error_ptr(png));
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  PngContext& context = ContextOf(png);
  std::snprintf(context.message, sizeof context.message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep out, png_size_t length) {
  auto& context = *static_cast<PngContext*>(png_get_io_ptr(png));
  if (context.bytes.size() - context.position < length) {
    context.truncated = true;
    png_error(png, "unexpected end of file");
  }
  std::memcpy(out, context.bytes.data() + context.position, length);
  context.position += length;
}

void ReadPalette(png_structp png, png_infop info, Palette& palette) {
  png_colorp entries = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &entries, &count) == 0) count = 0;
  png_bytep alpha = nullptr;
  int alphaCount = 0;
  if (png_get_tRNS(png, info, &alpha, &alphaCount, nullptr) == 0) alphaCount = 0;
  palette.count = std::min(count, 256);
  for (int i = 0; i < palette.count; ++i) {
    const uint32_t a = i < alphaCount ? alpha[i] : 0xFFu;
    palette.colours[i] = a << 24 | uint32_t{entries[i].red} << 16 |
                         uint32_t{entries[i].green} << 8 | entries[i].blue;
  }
}

// Turns a row of one-byte indices, stored at the start of the row's own
// pixels, into colours; from the right, so no index is overwritten unread.
bool ExpandIndices(uint32_t* row, std::size_t width, const Palette& palette) {
  const auto* indices = reinterpret_cast<const uint8_t*>(row);
  for (std::size_t x = width; x-- > 0;) {
    const uint8_t index = indices[x];
    if (index >= palette.count) return false;
    row[x] = palette.colours[index];
  }
  return true;
}

// Asks libpng for 8-bit rows of four samples in the byte order that makes each
// pixel a native ARGB word; palette images come as one index per byte.
void RequestArgb(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_packing(png);
    return;
  }
  if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
    png_set_expand_gray_1_2_4_to_8(png);
  }
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha
  } else {
    png_set_swap_alpha(png);
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  }
}

enum class Outcome { kDone, kLibraryError, kSize, kLayout, kIndex };

// The only function with setjmp; it keeps no state of its own, so a jump back
// here leaves nothing undefined.
Outcome Decode(PngContext& c, std::string* error) {
  if (setjmp(png_jmpbuf(c.png)) != 0) return Outcome::kLibraryError;
  png_set_read_fn(c.png, &c, OnRead);
  png_set_benign_errors(c.png, 0);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  // Checksums would stop nearly every mutation at the first chunk it touches.
  png_set_crc_action(c.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  png_set_option(c.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  // Text, profiles and the like are never used; skipping them keeps their
  // decompression away from hostile input.
  png_set_keep_unknown_chunks(c.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(c.png, c.info);
  const png_uint_32 width = png_get_image_width(c.png, c.info);
  const png_uint_32 height = png_get_image_height(c.png, c.info);
  if (!CheckImageSize(width, height, kFormat, error)) return Outcome::kSize;
  const bool indexed = png_get_color_type(c.png, c.info) == PNG_COLOR_TYPE_PALETTE;
  if (indexed) ReadPalette(c.png, c.info, c.palette);
  RequestArgb(c.png, c.info);
  const int passes = png_set_interlace_handling(c.png);
  png_read_update_info(c.png, c.info);
  if (png_get_rowbytes(c.png, c.info) != std::size_t{width} * (indexed ? 1 : 4)) {
    return Outcome::kLayout;
  }
  c.image.width = static_cast<int>(width);
  c.image.height = static_cast<int>(height);
  const std::size_t pixelCount = std::size_t{width} * height;
  auto rowAt = [&](std::size_t y) { return &c.image.pixels[y * width]; };
  if (passes == 1) {
    // Rows are added as they arrive, so a file that breaks off early costs
    // only the rows it really had.
    c.image.pixels.reserve(pixelCount);
    for (std::size_t y = 0; y < height; ++y) {
      c.image.pixels.resize((y + 1) * width);
      png_read_row(c.png, reinterpret_cast<png_bytep>(rowAt(y)), nullptr);
      if (indexed && !ExpandIndices(rowAt(y), width, c.palette)) return Outcome::kIndex;
    }
  } else {
    // Later passes fill in between the pixels of earlier ones.
    c.image.pixels.assign(pixelCount, 0);
    for (int pass = 0; pass < passes; ++pass) {
      for (std::size_t y = 0; y < height; ++y) {
        png_read_row(c.png, reinterpret_cast<png_bytep>(rowAt(y)), nullptr);
      }
    }
    for (std::size_t y = 0; indexed && y < height; ++y) {
      if (!ExpandIndices(rowAt(y), width, c.palette)) return Outcome::kIndex;
    }
  }
  png_read_end(c.png, nullptr);
  return Outcome::kDone;
}

}  // namespace

std::optional<Image> DecodePng(std::span<const uint8_t> bytes, std::string* error) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    return DecodeFailure(error, kFormat, "Signatur fehlt");
  }
  PngContext context;
  context.bytes = bytes;
  context.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
  if (context.png == nullptr) return DecodeFailure(error, kFormat, "libpng nicht bereit");
  context.info = png_create_info_struct(context.png);
  Outcome outcome = Outcome::kLibraryError;
  if (context.info != nullptr) outcome = Decode(context, error);
  png_destroy_read_struct(&context.png, &context.info, nullptr);
  switch (outcome) {
    case Outcome::kDone:
      return std::move(context.image);
    case Outcome::kSize:
      return std::nullopt;
    case Outcome::kLayout:
      return DecodeFailure(error, kFormat, "unbekanntes Pixelformat");
    case Outcome::kIndex:
      return DecodeFailure(error, kFormat, "Farbindex ausserhalb der Palette");
    case Outcome::kLibraryError:
      break;
  }
  return LibraryFailure(error, kFormat, context.truncated, context.message);
}

}  // namespace kb
