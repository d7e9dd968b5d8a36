#pragma once

#include <cstdint>
#include <span>

namespace kb::platform {

// The sound output. Effects are decoded once and may overlap freely; one
// music track plays at a time. A machine without sound answers every call
// harmlessly.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual bool Available() const = 0;
  // Returns a handle >= 0, or -1 when the data cannot be played.
  virtual int LoadEffect(std::span<const uint8_t> wav) = 0;
  virtual void PlayEffect(int handle) = 0;
  // Starts a track; returns its length in milliseconds, or -1 on failure.
  virtual int64_t PlayMusic(std::span<const uint8_t> ogg) = 0;
  virtual void StopMusic() = 0;
  // The player's switches for the music and the effects, for a machine that
  // shows them beside the picture (the browser's page).
  virtual void ShowSwitches(bool /*music*/, bool /*effects*/) {}
};

// Silence: for machines without an audio device and for tests.
class SilentAudio final : public AudioDevice {
 public:
  bool Available() const override { return false; }
  int LoadEffect(std::span<const uint8_t>) override { return -1; }
  void PlayEffect(int) override {}
  int64_t PlayMusic(std::span<const uint8_t>) override { return -1; }
  void StopMusic() override {}
};

}  // namespace kb::platform
