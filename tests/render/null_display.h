#pragma once

#include "platform/display.h"

namespace kb::test {

// Presents nowhere; the renderer keeps the frame.
class NullDisplay final : public platform::Display {
 public:
  void Present(const uint32_t*) override { ++presented; }
  int presented = 0;
};

}  // namespace kb::test
