#pragma once

#include "platform/audio_device.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/file_system.h"
#include "platform/input_source.h"
#include "platform/message_box.h"

namespace kb::platform {

// Everything the game needs from the machine, handed down by reference so
// that a test can run any screen on a scripted stand-in.
struct Platform {
  Clock& clock;
  Display& display;
  InputSource& input;
  MessageBoxes& messages;
  FileSystem& files;
  AudioDevice& audio;
};

}  // namespace kb::platform
