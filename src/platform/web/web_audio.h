#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/audio_device.h"

namespace kb::platform {

// Sound through the page's Web Audio: each effect and each music track is
// decoded once by the browser and kept, so that a track played again starts
// without a pause. Browsers hold sound back until the player first clicks or
// presses a key on the page; what plays before that is not heard.
class WebAudio final : public AudioDevice {
 public:
  bool Available() const override;
  int LoadEffect(std::span<const uint8_t> wav) override;
  void PlayEffect(int handle) override;
  int64_t PlayMusic(std::span<const uint8_t> ogg) override;
  void StopMusic() override;
  void ShowSwitches(bool music, bool effects) override;
};

// The playing time of an Ogg Vorbis stream in milliseconds, from its first
// and last pages; none where those are not there.
std::optional<int64_t> OggVorbisMilliseconds(std::span<const uint8_t> ogg);

}  // namespace kb::platform
