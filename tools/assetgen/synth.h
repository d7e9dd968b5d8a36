#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace kb::assetgen {

constexpr float kTwoPi = 6.28318531f;

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float NoteFrequency(float note);

// White noise, -1..1, from a fixed seed.
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed | 1u) {}
  float Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<int32_t>(state_)) / 2147483648.0f;
  }

 private:
  uint32_t state_;
};

// A state-variable filter (Chamberlin); cutoff may change every sample.
class Filter {
 public:
  void Set(float cutoffHz, float resonance, float sampleRate);
  // Runs one sample; the three outputs are then read below.
  void Run(float input);
  float Low() const { return low_; }
  float High() const { return high_; }
  float Band() const { return band_; }

 private:
  float f_ = 0.1f;
  float q_ = 1.0f;
  float low_ = 0.0f;
  float band_ = 0.0f;
  float high_ = 0.0f;
};

// Attack-decay-sustain-release level at time t (seconds) of a note held for
// length seconds.
float Adsr(float t, float length, float attack, float decay, float sustain, float release);

// Band-limited-enough oscillators for music at 44.1 kHz: phase in turns.
float Saw(float phase);
// A saw with its jump smoothed over one sample step dt (in turns), so high
// notes do not alias.
float SmoothSaw(float phase, float dt);
float Square(float phase, float width = 0.5f);
float Triangle(float phase);

// A small stereo room: parallel combs and series all-passes per channel.
class Reverb {
 public:
  explicit Reverb(int sampleRate);
  // Adds the reverberated input to out (left, right).
  void Process(float input, float* left, float* right);

 private:
  struct Comb {
    std::vector<float> line;
    std::size_t pos = 0;
    float store = 0.0f;
  };
  struct AllPass {
    std::vector<float> line;
    std::size_t pos = 0;
  };
  Comb combs_[2][4];
  AllPass passes_[2][2];
};

}  // namespace kb::assetgen
