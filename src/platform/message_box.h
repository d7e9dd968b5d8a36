#pragma once

namespace kb::platform {

// A modal note to the player with an OK button; texts are Windows-1252.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const char* text, const char* caption) = 0;
};

}  // namespace kb::platform
