#include "gfx/image_decoder.h"

#include <algorithm>
#include <iterator>

#include "gfx/bmp_decoder.h"
#include "gfx/jpeg_decoder.h"
#include "gfx/png_decoder.h"

namespace kb {

std::optional<Image> DecodeImage(std::span<const uint8_t> bytes, std::string* error) {
  static constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes.empty()) return DecodeFailure(error, "Bild", "Datei ist leer");
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes, error);
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJpeg(bytes, error);
  if (bytes.size() >= sizeof kPngSignature &&
      std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin())) {
    return DecodePng(bytes, error);
  }
  return DecodeFailure(error, "Bild", "Format unbekannt");
}

bool CheckImageSize(int64_t width, int64_t height, const char* format, std::string* error) {
  if (width <= 0 || height <= 0) {
    DecodeFailure(error, format, "Bild ist leer");
    return false;
  }
  if (width > kMaxImageSide || height > kMaxImageSide) {
    DecodeFailure(error, format, "Bild ist zu breit oder zu hoch");
    return false;
  }
  if (width * height > kMaxImagePixels) {
    DecodeFailure(error, format, "Bild hat zu viele Pixel");
    return false;
  }
  return true;
}

std::nullopt_t DecodeFailure(std::string* error, const char* format, const char* message) {
  if (error != nullptr) {
    error->assign(format);
    error->append(": ");
    error->append(message);
  }
  return std::nullopt;
}

std::nullopt_t LibraryFailure(std::string* error, const char* format, bool truncated,
                              const char* message) {
  if (truncated) return DecodeFailure(error, format, "Datei ist abgeschnitten");
  return DecodeFailure(error, format,
                       ("Datei ist fehlerhaft (" + std::string(message) + ")").c_str());
}

}  // namespace kb
