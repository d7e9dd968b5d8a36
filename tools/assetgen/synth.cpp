#include "synth.h"

#include <algorithm>

namespace kb::assetgen {

float NoteFrequency(float note) {
  return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

void Filter::Set(float cutoffHz, float resonance, float sampleRate) {
  const float c = std::min(cutoffHz, sampleRate * 0.2f);
  f_ = 2.0f * std::sin(3.14159265f * c / sampleRate);
  q_ = 1.0f / std::max(0.5f, resonance);
}

void Filter::Run(float input) {
  low_ += f_ * band_;
  high_ = input - low_ - q_ * band_;
  band_ += f_ * high_;
}

float Adsr(float t, float length, float attack, float decay, float sustain, float release) {
  if (t < 0.0f) return 0.0f;
  auto held = [&](float time) {
    if (time < attack) return time / attack;
    if (time < attack + decay) return 1.0f - (1.0f - sustain) * (time - attack) / decay;
    return sustain;
  };
  if (t < length) return held(t);
  const float end = held(length);
  const float r = (t - length) / release;
  return r >= 1.0f ? 0.0f : end * (1.0f - r);
}

float Saw(float phase) {
  return 2.0f * (phase - std::floor(phase)) - 1.0f;
}

float SmoothSaw(float phase, float dt) {
  float t = phase - std::floor(phase);
  float correction = 0.0f;
  if (t < dt) {
    const float x = t / dt;
    correction = x + x - x * x - 1.0f;
  } else if (t > 1.0f - dt) {
    const float x = (t - 1.0f) / dt;
    correction = x * x + x + x + 1.0f;
  }
  return 2.0f * t - 1.0f - correction;
}

float Square(float phase, float width) {
  return (phase - std::floor(phase)) < width ? 1.0f : -1.0f;
}

float Triangle(float phase) {
  const float p = phase - std::floor(phase);
  return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
}

Reverb::Reverb(int sampleRate) {
  // Mutually prime delays, slightly different per side for width.
  static const int kComb[4] = {1557, 1617, 1491, 1422};
  static const int kPass[2] = {556, 441};
  const float scale = static_cast<float>(sampleRate) / 44100.0f;
  for (int side = 0; side < 2; ++side) {
    for (int i = 0; i < 4; ++i) {
      combs_[side][i].line.assign(static_cast<std::size_t>((kComb[i] + side * 23) * scale), 0.0f);
    }
    for (int i = 0; i < 2; ++i) {
      passes_[side][i].line.assign(static_cast<std::size_t>((kPass[i] + side * 23) * scale), 0.0f);
    }
  }
}

void Reverb::Process(float input, float* left, float* right) {
  float* outs[2] = {left, right};
  for (int side = 0; side < 2; ++side) {
    float sum = 0.0f;
    for (Comb& comb : combs_[side]) {
      const float out = comb.line[comb.pos];
      comb.store = out * 0.8f + comb.store * 0.2f;  // damping
      comb.line[comb.pos] = input + comb.store * 0.82f;
      if (++comb.pos == comb.line.size()) comb.pos = 0;
      sum += out;
    }
    for (AllPass& pass : passes_[side]) {
      const float buffered = pass.line[pass.pos];
      const float out = -sum + buffered;
      pass.line[pass.pos] = sum + buffered * 0.5f;
      if (++pass.pos == pass.line.size()) pass.pos = 0;
      sum = out;
    }
    *outs[side] += sum * 0.25f;
  }
}

}  // namespace kb::assetgen
