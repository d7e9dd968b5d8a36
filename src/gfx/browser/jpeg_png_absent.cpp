// The browser version carries neither libjpeg nor libpng: its data folder
// holds every picture as a BMP of the same pixels (made by kb_web_data), so a
// JPEG or PNG it is handed is one it was never meant to read.
#include "gfx/image_decoder.h"
#include "gfx/jpeg_decoder.h"
#include "gfx/png_decoder.h"

namespace kb {

std::optional<Image> DecodeJpeg(std::span<const uint8_t>, std::string* error) {
  return DecodeFailure(error, "JPEG", "wird in der Browser-Ausgabe nicht gelesen");
}

std::optional<Image> DecodePng(std::span<const uint8_t>, std::string* error) {
  return DecodeFailure(error, "PNG", "wird in der Browser-Ausgabe nicht gelesen");
}

}  // namespace kb
