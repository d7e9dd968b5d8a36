#include "sound_effects.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace kb::assetgen {
namespace {

constexpr float kRate = static_cast<float>(kEffectRate);

std::vector<float> Silence(float seconds) {
  return std::vector<float>(static_cast<std::size_t>(seconds * kRate), 0.0f);
}

// Noise through a low-pass whose cutoff falls: the body of every blast.
void AddBlast(std::vector<float>& out, float start, float length, float cutoff, float fall,
              float level, uint32_t seed) {
  NoiseSource noise(seed);
  Filter filter;
  const std::size_t first = static_cast<std::size_t>(start * kRate);
  for (std::size_t i = first; i < out.size(); ++i) {
    const float t = static_cast<float>(i - first) / kRate;
    if (t > length) break;
    filter.Set(80.0f + cutoff * std::exp(-t * fall), 0.9f, kRate);
    filter.Run(noise.Next());
    const float env = std::min(1.0f, t * 500.0f) * std::exp(-t * 5.0f / length);
    out[i] += filter.Low() * env * level;
  }
}

// A falling sine: the thump under a blast.
void AddThump(std::vector<float>& out, float start, float from, float to, float decay,
              float level) {
  float phase = 0.0f;
  const std::size_t first = static_cast<std::size_t>(start * kRate);
  for (std::size_t i = first; i < out.size(); ++i) {
    const float t = static_cast<float>(i - first) / kRate;
    const float f = to + (from - to) * std::exp(-t * 18.0f);
    phase += f / kRate;
    out[i] += std::sin(kTwoPi * phase) * std::exp(-t * decay) * std::min(1.0f, t * 800.0f) * level;
  }
}

// Small bright ticks scattered after the start: splinters.
void AddCrackles(std::vector<float>& out, float start, float spread, int count, float level,
                 uint32_t seed) {
  NoiseSource noise(seed);
  for (int k = 0; k < count; ++k) {
    const float at = start + spread * (0.5f + 0.5f * noise.Next()) *
                                 (0.3f + 0.7f * static_cast<float>(k) / static_cast<float>(count));
    const std::size_t first = static_cast<std::size_t>(at * kRate);
    const float pitch = 2500.0f + 2000.0f * (0.5f + 0.5f * noise.Next());
    for (std::size_t i = first; i < out.size() && i < first + 400; ++i) {
      const float t = static_cast<float>(i - first) / kRate;
      out[i] += std::sin(kTwoPi * pitch * t) * std::exp(-t * 900.0f) * level *
                (0.5f + 0.5f * noise.Next());
    }
  }
}

void ScaleToPeak(std::vector<float>& out, float peak) {
  float highest = 1e-6f;
  for (float s : out) highest = std::max(highest, std::abs(s));
  for (float& s : out) s *= peak / highest;
  // A few milliseconds of fade at the end against a click.
  const std::size_t fade = std::min<std::size_t>(out.size(), 200);
  for (std::size_t i = 0; i < fade; ++i)
    out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
}

}  // namespace

std::vector<float> ComposeStoneBurst() {
  std::vector<float> out = Silence(0.38f);
  AddBlast(out, 0.0f, 0.3f, 5000.0f, 22.0f, 0.9f, 101);
  AddThump(out, 0.0f, 220.0f, 90.0f, 22.0f, 0.6f);
  AddCrackles(out, 0.005f, 0.12f, 7, 0.35f, 103);
  ScaleToPeak(out, 0.42f);
  return out;
}

std::vector<float> ComposeConnectorBlast() {
  std::vector<float> out = Silence(1.3f);
  AddBlast(out, 0.0f, 1.2f, 2600.0f, 4.0f, 1.0f, 201);
  AddBlast(out, 0.05f, 0.9f, 900.0f, 2.0f, 0.8f, 202);  // the rumble rolling on
  AddThump(out, 0.0f, 140.0f, 38.0f, 4.0f, 0.9f);
  AddCrackles(out, 0.02f, 0.6f, 16, 0.25f, 203);
  ScaleToPeak(out, 0.5f);
  return out;
}

std::vector<float> ComposeMultiplierChime() {
  std::vector<float> out = Silence(1.6f);
  // An A major arpeggio of bells, then the blast lands on the last note.
  const float notes[4] = {81.0f, 85.0f, 88.0f, 93.0f};
  for (int k = 0; k < 4; ++k) {
    const float f = NoteFrequency(notes[k]);
    const std::size_t first = static_cast<std::size_t>(static_cast<float>(k) * 0.075f * kRate);
    for (std::size_t i = first; i < out.size(); ++i) {
      const float t = static_cast<float>(i - first) / kRate;
      const float modulator = std::sin(kTwoPi * f * 2.0f * t) * 1.5f * std::exp(-t * 6.0f);
      out[i] += std::sin(kTwoPi * f * t + modulator) * std::exp(-t * 3.5f) *
                std::min(1.0f, t * 600.0f) * 0.3f;
    }
  }
  AddBlast(out, 0.3f, 1.1f, 3400.0f, 5.0f, 0.9f, 301);
  AddThump(out, 0.3f, 170.0f, 45.0f, 5.0f, 0.8f);
  AddCrackles(out, 0.32f, 0.5f, 12, 0.25f, 303);
  ScaleToPeak(out, 0.5f);
  return out;
}

}  // namespace kb::assetgen
