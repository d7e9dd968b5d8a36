#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gfx/image.h"

namespace kb::test {

// A BMP assembled field by field, so that a test can break any one of them.
struct BmpFile {
  uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 1;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  std::vector<uint32_t> palette;        // 0x00RRGGBB
  std::vector<uint32_t> masks;          // after a 40-byte header, else inside the header
  std::vector<uint8_t> pixels;          // the pixel data exactly as stored
  std::optional<uint32_t> pixelOffset;  // default: right after the palette
};
std::vector<uint8_t> BuildBmp(const BmpFile& file);

// Concatenates rows as stored, padding each to a multiple of four bytes.
std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows);

// A PNG written by libpng from rows of samples in the file's own layout
// (packed bits, 16-bit samples big-endian), without filter bytes.
struct PngFile {
  int width = 0;
  int height = 0;
  int colourType = 6;  // PNG_COLOR_TYPE_RGB_ALPHA
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> samples;
  std::vector<uint32_t> palette;                             // 0x00RRGGBB
  std::vector<uint8_t> paletteAlpha;                         // tRNS for palette images
  std::optional<std::array<uint16_t, 3>> transparentColour;  // tRNS for grey (first) or RGB
};
std::vector<uint8_t> BuildPng(const PngFile& file);

struct JpegOptions {
  int quality = 95;
  bool grayscale = false;
  bool progressive = false;
  int scanCount = 0;  // > 0: one DC scan, then single-coefficient AC scans
};
std::vector<uint8_t> EncodeJpeg(const Image& image, const JpegOptions& options = {});
std::vector<uint8_t> EncodeCmykJpeg(int width, int height);

// Opaque colours that change from pixel to pixel in x and y.
Image TestPattern(int width, int height);

// Four flat quadrants (red, green, blue, white) that survive JPEG coding.
Image Quadrants(int width, int height);

// The CRC that closes every PNG chunk, for tests that patch chunk data.
uint32_t PngCrc(const uint8_t* data, std::size_t size);
// Rewrites the CRC of the chunk whose type starts at `typeOffset`.
void FixPngChunkCrc(std::vector<uint8_t>& png, std::size_t typeOffset);

struct SampleFile {
  std::string name;  // with the usual extension
  std::vector<uint8_t> bytes;
};
// Small good files of every variant the decoders tell apart, 9 x 5 pixels
// where the layout allows; also the seeds of the image fuzzer.
std::vector<SampleFile> SampleFiles();

std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace kb::test
