#include "test_images.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <jpeglib.h>
#include <png.h>

#include "core/little_endian.h"
#include "gfx/bmp_encoder.h"

namespace kb::test {
std::vector<uint8_t> BuildBmp(const BmpFile& f) {
  std::vector<uint8_t> header;
  PutU32(header, f.headerSize);
  if (f.headerSize == 12) {
    PutU16(header, static_cast<uint32_t>(f.width));
    PutU16(header, static_cast<uint32_t>(f.height));
    PutU16(header, f.planes);
    PutU16(header, f.bitsPerPixel);
  } else {
    PutU32(header, static_cast<uint32_t>(f.width));
    PutU32(header, static_cast<uint32_t>(f.height));
    PutU16(header, f.planes);
    PutU16(header, f.bitsPerPixel);
    PutU32(header, f.compression);
    PutU32(header, static_cast<uint32_t>(f.pixels.size()));
    PutU32(header, 2835);
    PutU32(header, 2835);
    PutU32(header, f.coloursUsed);
    PutU32(header, 0);
    const bool masksInside = f.headerSize > 40;
    if (masksInside) {
      for (std::size_t i = 0; i < 4; ++i) PutU32(header, i < f.masks.size() ? f.masks[i] : 0);
    } else {
      for (uint32_t mask : f.masks) PutU32(header, mask);
    }
    // The colour space fields of the longer headers stay zero.
    while (header.size() < f.headerSize + (masksInside ? 0 : 4 * f.masks.size())) {
      header.push_back(0);
    }
    if (masksInside) header.resize(f.headerSize);
  }
  std::vector<uint8_t> palette;
  for (uint32_t colour : f.palette) {
    palette.push_back(static_cast<uint8_t>(colour));
    palette.push_back(static_cast<uint8_t>(colour >> 8));
    palette.push_back(static_cast<uint8_t>(colour >> 16));
    if (f.headerSize != 12) palette.push_back(0);
  }
  const uint32_t offset =
      f.pixelOffset.value_or(static_cast<uint32_t>(14 + header.size() + palette.size()));
  std::vector<uint8_t> out = {'B', 'M'};
  PutU32(out, static_cast<uint32_t>(14 + header.size() + palette.size() + f.pixels.size()));
  PutU32(out, 0);
  PutU32(out, offset);
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), f.pixels.begin(), f.pixels.end());
  return out;
}

std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    while (out.size() % 4 != 0) out.push_back(0);
  }
  return out;
}

std::vector<uint8_t> BuildPng(const PngFile& f) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_check_for_invalid_index(png, 0);  // tests write indices beyond the palette
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* target = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        target->insert(target->end(), data, data + size);
      },
      nullptr);
  png_set_IHDR(png, info, f.width, f.height, f.bitDepth, f.colourType,
               f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (uint32_t c : f.palette) {
    palette.push_back(
        {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_color_16 key{};
  if (f.transparentColour) {
    key.gray = (*f.transparentColour)[0];
    key.red = (*f.transparentColour)[0];
    key.green = (*f.transparentColour)[1];
    key.blue = (*f.transparentColour)[2];
  }
  if (!f.paletteAlpha.empty() || f.transparentColour) {
    png_set_tRNS(png, info, f.paletteAlpha.empty() ? nullptr : f.paletteAlpha.data(),
                 static_cast<int>(f.paletteAlpha.size()), f.transparentColour ? &key : nullptr);
  }
  png_write_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  std::vector<uint8_t> samples = f.samples;
  samples.resize(rowBytes * f.height);
  std::vector<png_bytep> rows;
  for (int y = 0; y < f.height; ++y) rows.push_back(samples.data() + y * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

std::vector<uint8_t> Compress(jpeg_compress_struct& c, const std::vector<uint8_t>& samples,
                              int rowBytes) {
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + c.next_scanline * rowBytes);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const Image& image, const JpegOptions& options) {
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  c.image_width = static_cast<JDIMENSION>(image.width);
  c.image_height = static_cast<JDIMENSION>(image.height);
  c.input_components = options.grayscale ? 1 : 3;
  c.in_color_space = options.grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&c);
  std::vector<jpeg_scan_info> script;
  if (options.scanCount > 0) {
    script.push_back({c.num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
    for (int i = 1; static_cast<int>(script.size()) < options.scanCount; ++i) {
      const int component = (i - 1) / 63 % c.num_components;
      const int k = (i - 1) % 63 + 1;
      script.push_back({1, {component, 0, 0, 0}, k, k, 0, 0});
    }
    c.scan_info = script.data();
    c.num_scans = static_cast<int>(script.size());
  }
  std::vector<uint8_t> samples;
  for (uint32_t p : image.pixels) {
    const uint8_t r = static_cast<uint8_t>(p >> 16);
    const uint8_t g = static_cast<uint8_t>(p >> 8);
    const uint8_t b = static_cast<uint8_t>(p);
    if (options.grayscale) {
      samples.push_back(static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8));
    } else {
      samples.insert(samples.end(), {r, g, b});
    }
  }
  std::vector<uint8_t> out = Compress(c, samples, image.width * c.input_components);
  jpeg_destroy_compress(&c);
  return out;
}

std::vector<uint8_t> EncodeCmykJpeg(int width, int height) {
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  std::vector<uint8_t> samples(static_cast<std::size_t>(width) * height * 4, 0x40);
  std::vector<uint8_t> out = Compress(c, samples, width * 4);
  jpeg_destroy_compress(&c);
  return out;
}

Image TestPattern(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.At(x, y) = 0xFF000000u | static_cast<uint32_t>(x * 37 + y) % 256 << 16 |
                       static_cast<uint32_t>(y * 53 + 7) % 256 << 8 |
                       static_cast<uint32_t>(x * y + 11) % 256;
    }
  }
  return image;
}

Image Quadrants(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      const bool bottom = y >= height / 2;
      image.At(x, y) =
          bottom ? (right ? 0xFFFFFFFFu : 0xFF0000FFu) : (right ? 0xFF00FF00u : 0xFFFF0000u);
    }
  }
  return image;
}

uint32_t PngCrc(const uint8_t* data, std::size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void FixPngChunkCrc(std::vector<uint8_t>& png, std::size_t typeOffset) {
  const std::size_t length = uint32_t{png[typeOffset - 4]} << 24 |
                             uint32_t{png[typeOffset - 3]} << 16 |
                             uint32_t{png[typeOffset - 2]} << 8 | png[typeOffset - 1];
  const uint32_t crc = PngCrc(png.data() + typeOffset, length + 4);
  const std::size_t at = typeOffset + 4 + length;
  png[at] = static_cast<uint8_t>(crc >> 24);
  png[at + 1] = static_cast<uint8_t>(crc >> 16);
  png[at + 2] = static_cast<uint8_t>(crc >> 8);
  png[at + 3] = static_cast<uint8_t>(crc);
}

namespace {

std::vector<uint8_t> Ramp(std::size_t count, int step) {
  std::vector<uint8_t> bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(i * step));
  return bytes;
}

}  // namespace

std::vector<SampleFile> SampleFiles() {
  std::vector<SampleFile> files;
  auto add = [&files](std::string name, std::vector<uint8_t> bytes) {
    files.push_back({std::move(name), std::move(bytes)});
  };
  const Image pattern = TestPattern(9, 5);
  add("rgb24.bmp", EncodeBmp(pattern));

  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (uint16_t depth : {1, 4, 8}) {
    BmpFile f;
    f.width = 9;
    f.height = depth == 4 ? -5 : 5;
    f.bitsPerPixel = depth;
    f.palette = depth == 1 ? std::vector<uint32_t>{0, 0xFFFFFF} : palette;
    f.pixels = Ramp(5 * ((9 * depth + 31) / 32 * 4), 1);
    for (auto& b : f.pixels) b = depth == 8 ? b % 5 : (depth == 4 ? (b % 5) * 16 + b % 3 : b);
    add("indexed" + std::to_string(depth) + ".bmp", BuildBmp(f));
  }
  BmpFile core;
  core.headerSize = 12;
  core.width = 9;
  core.height = 5;
  core.bitsPerPixel = 8;
  core.palette = palette;
  core.pixels = Ramp(5 * 12, 3);
  for (auto& b : core.pixels) b %= 5;
  add("core8.bmp", BuildBmp(core));

  BmpFile rle;
  rle.width = 9;
  rle.height = 5;
  rle.bitsPerPixel = 8;
  rle.compression = 1;
  rle.palette = palette;
  rle.pixels = {4, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 7, 4, 0, 1};
  add("rle8.bmp", BuildBmp(rle));
  rle.bitsPerPixel = 4;
  rle.compression = 2;
  rle.pixels = {9, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x00, 0, 0, 2, 1, 1, 2, 0x40, 0, 1};
  add("rle4.bmp", BuildBmp(rle));

  BmpFile fields;
  fields.width = 9;
  fields.height = 5;
  fields.bitsPerPixel = 16;
  fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = Ramp(5 * 20, 7);
  add("rgb565.bmp", BuildBmp(fields));
  fields.compression = 0;
  fields.masks.clear();
  add("rgb555.bmp", BuildBmp(fields));
  fields.headerSize = 124;
  fields.bitsPerPixel = 32;
  fields.compression = 3;
  fields.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  fields.pixels = Ramp(5 * 36, 11);
  add("argb32-v5.bmp", BuildBmp(fields));

  PngFile png;
  png.width = 9;
  png.height = 5;
  png.samples = Ramp(9 * 5 * 4, 5);
  add("rgba8.png", BuildPng(png));
  png.interlaced = true;
  add("rgba8-interlaced.png", BuildPng(png));
  png.interlaced = false;
  png.colourType = PNG_COLOR_TYPE_RGB;
  png.bitDepth = 16;
  png.samples = Ramp(9 * 5 * 6, 3);
  png.transparentColour = std::array<uint16_t, 3>{0x0306, 0x090C, 0x0F12};
  add("rgb16-trns.png", BuildPng(png));
  png.transparentColour.reset();
  png.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  png.bitDepth = 8;
  png.samples = Ramp(9 * 5 * 2, 9);
  add("grey-alpha8.png", BuildPng(png));
  png.colourType = PNG_COLOR_TYPE_GRAY;
  png.bitDepth = 2;
  png.samples = Ramp(3 * 5, 27);
  add("grey2.png", BuildPng(png));
  png.colourType = PNG_COLOR_TYPE_PALETTE;
  png.bitDepth = 4;
  png.palette = palette;
  png.paletteAlpha = {0, 128};
  png.samples = std::vector<uint8_t>(5 * 5, 0x12);
  add("palette4.png", BuildPng(png));

  add("baseline.jpg", EncodeJpeg(Quadrants(16, 16), {.quality = 75}));
  add("progressive.jpg", EncodeJpeg(pattern, {.quality = 60, .progressive = true}));
  add("grey.jpg", EncodeJpeg(pattern, {.quality = 50, .grayscale = true}));
  return files;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kb::test
