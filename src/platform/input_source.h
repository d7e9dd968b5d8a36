#pragma once

#include "platform/input_model.h"

namespace kb::platform {

// Keyboard and mouse as polled state. Polling takes what the machine has sent
// since the last poll into the input model and hands the model out; it also
// handles pending window events (a close request ends the program at once).
class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual InputModel& PollInput() = 0;
};

}  // namespace kb::platform
