// Feeds arbitrary bytes to the picture loader: it must answer with an error or
// a whole picture, never crash, hang, read out of bounds or take unbounded memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "gfx/image_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string error;
  const std::optional<kb::Image> image = kb::DecodeImage(std::span(data, size), &error);
  if (!image) {
    if (error.empty()) std::abort();  // every refusal must say why
    return 0;
  }
  const bool sound = image->width > 0 && image->height > 0 && image->width <= kb::kMaxImageSide &&
                     image->height <= kb::kMaxImageSide &&
                     image->pixels.size() == static_cast<std::size_t>(image->width) * image->height;
  if (!sound) std::abort();
  // Touch every pixel, so a picture that is not really there shows up.
  uint32_t sum = 0;
  for (uint32_t p : image->pixels) sum += p;
  volatile uint32_t sink = sum;
  (void)sink;
  return 0;
}
