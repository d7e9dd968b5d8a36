#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/audio_device.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace kb {

// Up to ten short effects, loaded once and played by their exact file name,
// each sounding over whatever already plays.
class SoundSystem {
 public:
  static constexpr int kMaxEffects = 10;

  SoundSystem(platform::AudioDevice& audio, platform::FileSystem& files,
              platform::MessageBoxes& messages)
      : audio_(audio), files_(files), messages_(messages) {}

  void InitSound();
  void AddSound(const char* file);
  void PlaySoundEffect(const char* file);
  void ShutdownSound();
  int EffectCount() const { return count_; }
  // The player's switch (F3): off, no effect plays.
  void SetEffectsOn(bool on) { effectsOn_ = on; }
  bool EffectsOn() const { return effectsOn_; }

 private:
  platform::AudioDevice& audio_;
  platform::FileSystem& files_;
  platform::MessageBoxes& messages_;
  std::array<std::string, kMaxEffects> names_;
  std::array<int, kMaxEffects> handles_{};
  int count_ = 0;
  bool silent_ = false;
  bool effectsOn_ = true;
};

}  // namespace kb
