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

std::size_t IndexAt(float seconds) {
  return static_cast<std::size_t>(std::max(0.0f, seconds) * kRate);
}

// Noise through a low-pass whose cutoff glides from one value to another:
// the roar of every blast.
void AddRoar(std::vector<float>& out, float start, float length, float fromHz, float toHz,
             float level, uint32_t seed) {
  NoiseSource noise(seed);
  Filter filter;
  for (std::size_t i = IndexAt(start); i < out.size(); ++i) {
    const float t = static_cast<float>(i - IndexAt(start)) / kRate;
    if (t > length) break;
    const float x = t / length;
    if (i % 16 == 0) filter.Set(toHz + (fromHz - toHz) * std::exp(-x * 5.0f), 0.8f, kRate);
    filter.Run(noise.Next());
    const float env = std::min(1.0f, t * 400.0f) * std::pow(1.0f - x, 2.2f);
    out[i] += filter.Low() * env * level;
  }
}

// A sine falling in pitch, driven into soft saturation for weight: the
// thump under a blast.
void AddThump(std::vector<float>& out, float start, float fromHz, float toHz, float sweep,
              float decay, float level, float drive) {
  float phase = 0.0f;
  for (std::size_t i = IndexAt(start); i < out.size(); ++i) {
    const float t = static_cast<float>(i - IndexAt(start)) / kRate;
    const float env = std::exp(-t * decay) * std::min(1.0f, t * 1000.0f);
    if (env < 1e-4f) break;
    phase += (toHz + (fromHz - toHz) * std::exp(-t * sweep)) / kRate;
    out[i] += std::tanh(std::sin(kTwoPi * phase) * drive) / std::tanh(drive) * env * level;
  }
}

// A struck stone: a noise click ringing in a narrow band, like a knock on
// rock, its pitch sinking a little as it dies.
void AddKnock(std::vector<float>& out, float start, float hz, float decay, float level,
              uint32_t seed) {
  NoiseSource noise(seed);
  Filter filter;
  for (std::size_t i = IndexAt(start); i < out.size(); ++i) {
    const float t = static_cast<float>(i - IndexAt(start)) / kRate;
    if (t > 6.0f / decay) break;
    if (i % 16 == 0) filter.Set(hz * (0.85f + 0.15f * std::exp(-t * 30.0f)), 9.0f, kRate);
    filter.Run(t < 0.004f ? noise.Next() : 0.0f);
    out[i] += filter.Band() * std::exp(-t * decay) * level;
  }
}

// Small bright ticks after the start, thinning out: splinters and grit.
void AddSplinters(std::vector<float>& out, float start, float spread, int count, float level,
                  uint32_t seed) {
  NoiseSource noise(seed);
  for (int k = 0; k < count; ++k) {
    const float x = static_cast<float>(k) / static_cast<float>(count);
    const float at = start + spread * x * x + 0.01f * (0.5f + 0.5f * noise.Next());
    const float hz = 1800.0f + 2600.0f * (0.5f + 0.5f * noise.Next());
    const float strength = level * (1.0f - 0.7f * x) * (0.6f + 0.4f * noise.Next());
    const std::size_t first = IndexAt(at);
    for (std::size_t i = first; i < out.size() && i < first + 500; ++i) {
      const float t = static_cast<float>(i - first) / kRate;
      out[i] += std::sin(kTwoPi * hz * t) * std::exp(-t * 700.0f) * strength;
    }
  }
}

// A bright bell (two-operator FM) whose brightness dies before its tone.
void AddBell(std::vector<float>& out, float start, float hz, float decay, float level) {
  for (std::size_t i = IndexAt(start); i < out.size(); ++i) {
    const float t = static_cast<float>(i - IndexAt(start)) / kRate;
    const float env = std::exp(-t * decay) * std::min(1.0f, t * 800.0f);
    const float modulator = std::sin(kTwoPi * hz * 2.0f * t) * 1.6f * std::exp(-t * 7.0f);
    out[i] += (std::sin(kTwoPi * hz * t + modulator) + 0.3f * std::sin(kTwoPi * hz * 3.01f * t)) *
              env * level;
  }
}

// Rounds the loudest moments off (drive above 1 squeezes the first crack,
// so the body of the sound comes forward), scales the peak to the target and
// fades the last few milliseconds.
void Finish(std::vector<float>& out, float drive, float peak) {
  float highest = 1e-6f;
  for (float s : out) highest = std::max(highest, std::abs(s));
  for (float& s : out) s = std::tanh(s / highest * drive);
  highest = 1e-6f;
  for (float s : out) highest = std::max(highest, std::abs(s));
  for (float& s : out) s *= peak / highest;
  const std::size_t fade = std::min<std::size_t>(out.size(), 400);
  for (std::size_t i = 0; i < fade; ++i) {
    out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
  }
}

}  // namespace

std::vector<float> ComposeStoneBurst() {
  std::vector<float> out = Silence(0.42f);
  AddKnock(out, 0.0f, 1900.0f, 38.0f, 0.7f, 101);
  AddKnock(out, 0.004f, 820.0f, 30.0f, 0.6f, 102);
  AddRoar(out, 0.0f, 0.34f, 7000.0f, 700.0f, 1.0f, 103);
  AddThump(out, 0.0f, 210.0f, 80.0f, 30.0f, 20.0f, 0.6f, 2.0f);
  AddSplinters(out, 0.02f, 0.25f, 12, 0.45f, 104);
  Finish(out, 3.0f, kStoneBurstPeak);
  return out;
}

std::vector<float> ComposeConnectorBlast() {
  std::vector<float> out = Silence(1.5f);
  AddThump(out, 0.0f, 130.0f, 34.0f, 7.0f, 3.2f, 1.0f, 2.5f);
  AddRoar(out, 0.0f, 1.4f, 3200.0f, 160.0f, 1.0f, 201);
  AddRoar(out, 0.08f, 1.3f, 900.0f, 90.0f, 0.7f, 202);  // the rumble rolling on
  AddKnock(out, 0.0f, 1300.0f, 25.0f, 1.0f, 203);
  AddSplinters(out, 0.05f, 0.9f, 18, 0.22f, 204);
  Finish(out, 2.0f, kSpecialBlastPeak);
  return out;
}

std::vector<float> ComposeMultiplierChime() {
  std::vector<float> out = Silence(1.7f);
  // A rising A major arpeggio, then the blast lands on the last note while
  // the bells ring on over it.
  const float notes[4] = {81.0f, 85.0f, 88.0f, 93.0f};
  for (int k = 0; k < 4; ++k) {
    AddBell(out, static_cast<float>(k) * 0.07f, NoteFrequency(notes[k]), 2.6f,
            k == 3 ? 0.34f : 0.26f);
  }
  AddThump(out, 0.21f, 160.0f, 42.0f, 9.0f, 4.5f, 0.8f, 2.0f);
  AddRoar(out, 0.21f, 1.1f, 4200.0f, 220.0f, 0.85f, 301);
  AddSplinters(out, 0.24f, 0.7f, 14, 0.2f, 303);
  Finish(out, 1.3f, kSpecialBlastPeak);
  return out;
}

}  // namespace kb::assetgen
