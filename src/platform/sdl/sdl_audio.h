#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/audio_device.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace kb::platform {

// Sound through SDL_mixer: effects on many mixing channels so that a whole
// group's explosions overlap, one music track at a time. Without a usable
// audio device it stays silent.
class SdlAudio final : public AudioDevice {
 public:
  SdlAudio();
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool Available() const override { return open_; }
  int LoadEffect(std::span<const uint8_t> wav) override;
  void PlayEffect(int handle) override;
  int64_t PlayMusic(std::span<const uint8_t> ogg) override;
  void StopMusic() override;

 private:
  bool open_ = false;
  std::vector<Mix_Chunk*> effects_;
  Mix_Music* music_ = nullptr;
  std::vector<uint8_t> musicBytes_;  // SDL_mixer streams from it while the track plays
};

}  // namespace kb::platform
