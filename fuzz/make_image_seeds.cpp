// Writes small pictures of every kind the decoders know into a folder, as the
// starting corpus of kb_image_fuzzer: make_image_seeds fuzz/corpus/image
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/bmp_encoder.h"
#include "test_images.h"

namespace {

void Write(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<uint8_t> Ramp(std::size_t count, int step) {
  std::vector<uint8_t> bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(i * step));
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  using namespace kb::test;
  const kb::Image pattern = TestPattern(9, 5);
  Write(out, "rgb24.bmp", kb::EncodeBmp(pattern));

  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (uint16_t depth : {1, 4, 8}) {
    BmpFile f;
    f.width = 9;
    f.height = depth == 4 ? -5 : 5;
    f.bitsPerPixel = depth;
    f.palette = depth == 1 ? std::vector<uint32_t>{0, 0xFFFFFF} : palette;
    f.pixels = Ramp(5 * ((9 * depth + 31) / 32 * 4), 1);
    for (auto& b : f.pixels) b = depth == 8 ? b % 5 : (depth == 4 ? (b % 5) * 16 + b % 3 : b);
    Write(out, "indexed" + std::to_string(depth) + ".bmp", BuildBmp(f));
  }
  BmpFile core;
  core.headerSize = 12;
  core.width = 9;
  core.height = 5;
  core.bitsPerPixel = 8;
  core.palette = palette;
  core.pixels = Ramp(5 * 12, 3);
  for (auto& b : core.pixels) b %= 5;
  Write(out, "core8.bmp", BuildBmp(core));

  BmpFile rle;
  rle.width = 9;
  rle.height = 5;
  rle.bitsPerPixel = 8;
  rle.compression = 1;
  rle.palette = palette;
  rle.pixels = {4, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 7, 4, 0, 1};
  Write(out, "rle8.bmp", BuildBmp(rle));
  rle.bitsPerPixel = 4;
  rle.compression = 2;
  rle.pixels = {9, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x00, 0, 0, 2, 1, 1, 2, 0x40, 0, 1};
  Write(out, "rle4.bmp", BuildBmp(rle));

  BmpFile fields;
  fields.width = 9;
  fields.height = 5;
  fields.bitsPerPixel = 16;
  fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = Ramp(5 * 20, 7);
  Write(out, "rgb565.bmp", BuildBmp(fields));
  fields.compression = 0;
  fields.masks.clear();
  Write(out, "rgb555.bmp", BuildBmp(fields));
  fields.headerSize = 124;
  fields.bitsPerPixel = 32;
  fields.compression = 3;
  fields.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  fields.pixels = Ramp(5 * 36, 11);
  Write(out, "argb32-v5.bmp", BuildBmp(fields));

  PngFile png;
  png.width = 9;
  png.height = 5;
  png.samples = Ramp(9 * 5 * 4, 5);
  Write(out, "rgba8.png", BuildPng(png));
  png.interlaced = true;
  Write(out, "rgba8-interlaced.png", BuildPng(png));
  png.interlaced = false;
  png.colourType = PNG_COLOR_TYPE_RGB;
  png.bitDepth = 16;
  png.samples = Ramp(9 * 5 * 6, 3);
  png.transparentColour = std::array<uint16_t, 3>{0x0306, 0x090C, 0x0F12};
  Write(out, "rgb16-trns.png", BuildPng(png));
  png.transparentColour.reset();
  png.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  png.bitDepth = 8;
  png.samples = Ramp(9 * 5 * 2, 9);
  Write(out, "grey-alpha8.png", BuildPng(png));
  png.colourType = PNG_COLOR_TYPE_GRAY;
  png.bitDepth = 2;
  png.samples = Ramp(3 * 5, 27);
  Write(out, "grey2.png", BuildPng(png));
  png.colourType = PNG_COLOR_TYPE_PALETTE;
  png.bitDepth = 4;
  png.palette = palette;
  png.paletteAlpha = {0, 128};
  png.samples = std::vector<uint8_t>(5 * 5, 0x12);
  Write(out, "palette4.png", BuildPng(png));

  Write(out, "baseline.jpg", EncodeJpeg(Quadrants(16, 16), {.quality = 75}));
  Write(out, "progressive.jpg", EncodeJpeg(pattern, {.quality = 60, .progressive = true}));
  Write(out, "grey.jpg", EncodeJpeg(pattern, {.quality = 50, .grayscale = true}));
  return 0;
}
