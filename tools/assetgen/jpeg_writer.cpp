#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace kb::assetgen {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

// libjpeg's own handler would end the program; jump back and report instead.
void OnError(j_common_ptr info) {
  ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

// Compresses into a buffer that libjpeg allocates; returns false on failure.
// Kept free of C++ objects with destructors, as longjmp skips them.
bool Compress(const uint8_t* rgb, int width, int height, int quality, unsigned char** out,
              unsigned long* outSize) {
  jpeg_compress_struct info;
  ErrorManager error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = OnError;
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, outSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < 3; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  info.optimize_coding = TRUE;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(info.next_scanline) * width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const Image& image, int quality) {
  std::vector<uint8_t> rgb(static_cast<std::size_t>(image.width) * image.height * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[i * 3 + 0] = static_cast<uint8_t>(image.pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(image.pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(image.pixels[i]);
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> out;
  if (Compress(rgb.data(), image.width, image.height, quality, &buffer, &size)) {
    out.assign(buffer, buffer + size);
  }
  std::free(buffer);
  return out;
}

}  // namespace kb::assetgen
