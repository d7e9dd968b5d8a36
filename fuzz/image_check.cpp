#include <cstddef>

#include "fuzz/reader_checks.h"
#include "gfx/image_decoder.h"

namespace kb::fuzz {

// An error or a whole picture, never one that is not really there.
bool CheckImageInput(std::span<const uint8_t> bytes, std::string& why) {
  std::string error;
  const std::optional<Image> image = DecodeImage(bytes, &error);
  if (!image) {
    if (error.empty()) why = "refused without saying why";
    return !error.empty();
  }
  const bool sound = image->width > 0 && image->height > 0 && image->width <= kMaxImageSide &&
                     image->height <= kMaxImageSide &&
                     image->pixels.size() == static_cast<size_t>(image->width) * image->height;
  if (!sound) {
    why = "picture of impossible size";
    return false;
  }
  // Touch every pixel, so that one the decoder never wrote shows up.
  uint32_t sum = 0;
  for (uint32_t p : image->pixels) sum += p;
  volatile uint32_t sink = sum;
  (void)sink;
  return true;
}

}  // namespace kb::fuzz
