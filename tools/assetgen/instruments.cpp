#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace kb::assetgen {
namespace {

std::size_t IndexOf(const Bus& bus, float seconds) {
  return static_cast<std::size_t>(std::max(0.0f, seconds) * static_cast<float>(bus.sampleRate));
}

uint32_t SeedOf(const Note& note) {
  return static_cast<uint32_t>(note.start * 1000.0f) * 131u +
         static_cast<uint32_t>(note.pitch) * 7u + 1u;
}

// Runs voice(t, k) for every sample k from the note's start for duration
// seconds (held length plus tail), panned once for the whole note. Voices
// update slow-moving values (filter cutoffs, vibrato) only when k is a
// multiple of kControlStep.
constexpr std::size_t kControlStep = 32;

template <typename Voice>
void Render(Bus& bus, float start, float duration, float pan, float sendLevel, Voice voice) {
  const std::size_t first = IndexOf(bus, start);
  const std::size_t count = IndexOf(bus, duration);
  const float step = 1.0f / static_cast<float>(bus.sampleRate);
  const float angle = (pan + 1.0f) * 0.25f * 3.14159265f;
  const float left = std::cos(angle);
  const float right = std::sin(angle);
  float* dryLeft = bus.dry.left.data();
  float* dryRight = bus.dry.right.data();
  float* send = bus.send.data();
  for (std::size_t k = 0; k < count && first + k < bus.Length(); ++k) {
    const float s = voice(static_cast<float>(k) * step, k);
    dryLeft[first + k] += s * left;
    dryRight[first + k] += s * right;
    send[first + k] += s * sendLevel;
  }
}

// A sine for slow modulation: a parabola per half turn, close enough for
// vibrato and cheaper than the library sine.
float SlowSine(float turns) {
  const float p = turns - std::floor(turns);
  const float x = p < 0.5f ? p * 4.0f - 1.0f : 3.0f - p * 4.0f;  // triangle -1..1
  return x * (1.5f - 0.5f * x * x);
}

}  // namespace

Bus::Bus(int rate, float seconds) : sampleRate(rate) {
  const std::size_t n = static_cast<std::size_t>(seconds * static_cast<float>(rate));
  dry.sampleRate = rate;
  dry.left.assign(n, 0.0f);
  dry.right.assign(n, 0.0f);
  send.assign(n, 0.0f);
}

void Bus::Add(std::size_t i, float sample, float pan, float sendLevel) {
  const float angle = (pan + 1.0f) * 0.25f * 3.14159265f;
  dry.left[i] += sample * std::cos(angle);
  dry.right[i] += sample * std::sin(angle);
  send[i] += sample * sendLevel;
}

StereoBuffer Bus::Finish(float roomLevel, float peak) {
  Reverb room(sampleRate);
  StereoBuffer out = dry;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    float l = 0.0f, r = 0.0f;
    room.Process(send[i], &l, &r);
    out.left[i] += l * roomLevel;
    out.right[i] += r * roomLevel;
  }
  float highest = 1e-6f;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    out.left[i] = std::tanh(out.left[i]);
    out.right[i] = std::tanh(out.right[i]);
    highest = std::max({highest, std::abs(out.left[i]), std::abs(out.right[i])});
  }
  const float gain = peak / highest;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    out.left[i] *= gain;
    out.right[i] *= gain;
  }
  // Short fades so the track neither clicks in nor out.
  const std::size_t fade = std::min<std::size_t>(out.left.size() / 2, sampleRate / 50);
  for (std::size_t i = 0; i < fade; ++i) {
    const float g = static_cast<float>(i) / static_cast<float>(fade);
    out.left[i] *= g;
    out.right[i] *= g;
    out.left[out.left.size() - 1 - i] *= g;
    out.right[out.right.size() - 1 - i] *= g;
  }
  return out;
}

void PlaySynthBass(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float dt = f / static_cast<float>(bus.sampleRate);
  Filter filter;
  Render(bus, note.start, note.length + 0.08f, note.pan, 0.05f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.004f, 0.12f, 0.7f, 0.06f);
    if (k % kControlStep == 0) {
      filter.Set(180.0f + 1400.0f * std::exp(-t * 14.0f), 1.6f, static_cast<float>(bus.sampleRate));
    }
    const float phase = f * t;
    filter.Run(0.6f * SmoothSaw(phase, dt) + 0.5f * Triangle(phase * 0.5f));
    return filter.Low() * env * note.velocity * 0.5f;
  });
}

void PlaySynthPad(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  Filter filter;
  filter.Set(1100.0f, 0.9f, rate);
  const float detunes[3] = {-0.11f, 0.0f, 0.12f};
  float freqs[3];
  for (int v = 0; v < 3; ++v) freqs[v] = f * std::pow(2.0f, detunes[v] / 12.0f);
  Render(bus, note.start, note.length + 0.8f, note.pan, 0.5f, [&](float t, std::size_t) {
    const float env = Adsr(t, note.length, 0.35f, 0.3f, 0.8f, 0.8f);
    float s = 0.0f;
    for (int v = 0; v < 3; ++v) s += SmoothSaw(freqs[v] * t + detunes[v], freqs[v] / rate);
    filter.Run(s * 0.33f);
    return filter.Low() * env * note.velocity * 0.14f;
  });
}

void PlayPluck(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  Filter filter;
  float decay = 1.0f;
  const float decayStep = std::exp(-9.0f / rate);
  Render(bus, note.start, note.length + 0.3f, note.pan, 0.35f, [&](float t, std::size_t k) {
    decay *= decayStep;
    const float env = decay * Adsr(t, note.length, 0.002f, 0.05f, 1.0f, 0.2f);
    if (k % kControlStep == 0) filter.Set(600.0f + 4200.0f * std::exp(-t * 18.0f), 1.3f, rate);
    filter.Run(Square(f * t, 0.3f));
    return filter.Low() * env * note.velocity * 0.12f;
  });
}

void PlaySynthLead(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  Filter filter;
  float phaseA = 0.0f, phaseB = 0.0f;
  float vibrato = 1.0f;
  Render(bus, note.start, note.length + 0.25f, note.pan, 0.3f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.01f, 0.15f, 0.75f, 0.2f);
    if (k % kControlStep == 0) {
      vibrato = 1.0f + 0.004f * SlowSine(5.5f * t) * std::min(1.0f, t * 3.0f);
      filter.Set(900.0f + 2600.0f * std::exp(-t * 6.0f), 1.4f, rate);
    }
    phaseA += f * vibrato / rate;
    phaseB += f * vibrato * 1.006f / rate;
    filter.Run(0.5f * SmoothSaw(phaseA, f / rate) + 0.35f * Square(phaseB, 0.5f));
    return filter.Low() * env * note.velocity * 0.2f;
  });
}

void PlayStrings(Bus& bus, const Note& note, bool staccato) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  Filter filter;
  filter.Set(staccato ? 2600.0f : 2000.0f, 0.8f, rate);
  float phases[4] = {0.0f, 0.31f, 0.57f, 0.83f};
  const float detunes[4] = {-0.09f, -0.03f, 0.04f, 0.1f};
  float steps[4];
  for (int v = 0; v < 4; ++v) steps[v] = f * std::pow(2.0f, detunes[v] / 12.0f) / rate;
  float vibrato = 1.0f;
  Render(bus, note.start, note.length + (staccato ? 0.12f : 0.6f), note.pan, 0.55f,
         [&](float t, std::size_t k) {
           const float env = staccato ? Adsr(t, note.length, 0.012f, 0.08f, 0.5f, 0.1f)
                                      : Adsr(t, note.length, 0.25f, 0.3f, 0.85f, 0.6f);
           if (k % kControlStep == 0)
             vibrato = 1.0f + 0.003f * SlowSine(5.0f * t + note.pitch * 0.1f);
           float s = 0.0f;
           for (int v = 0; v < 4; ++v) {
             phases[v] += steps[v] * vibrato;
             s += SmoothSaw(phases[v], steps[v]);
           }
           filter.Run(s * 0.25f);
           return filter.Low() * env * note.velocity * 0.16f;
         });
}

void PlayBrass(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  Filter filter;
  float phaseA = 0.0f, phaseB = 0.0f;
  float vibrato = 1.0f;
  Render(bus, note.start, note.length + 0.3f, note.pan, 0.45f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.06f, 0.2f, 0.85f, 0.25f);
    if (k % kControlStep == 0) {
      const float swell = std::min(1.0f, t / 0.12f);
      vibrato = 1.0f + 0.0035f * SlowSine(5.2f * t) * std::min(1.0f, t * 1.5f);
      filter.Set(300.0f + 2200.0f * swell * (0.6f + 0.4f * note.velocity), 1.1f, rate);
    }
    phaseA += f * vibrato / rate;
    phaseB += f * vibrato * 1.004f / rate;
    filter.Run(0.55f * SmoothSaw(phaseA, f / rate) + 0.45f * SmoothSaw(phaseB, f / rate));
    return filter.Low() * env * note.velocity * 0.24f;
  });
}

void PlayChoir(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  // Two formant bands of an open "ah".
  Filter first, second;
  first.Set(750.0f, 6.0f, rate);
  second.Set(1150.0f, 6.0f, rate);
  float phases[3] = {0.0f, 0.4f, 0.7f};
  float wobble[3] = {1.0f, 1.0f, 1.0f};
  Render(bus, note.start, note.length + 0.9f, note.pan, 0.7f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.5f, 0.4f, 0.85f, 0.9f);
    if (k % kControlStep == 0) {
      for (int v = 0; v < 3; ++v) {
        wobble[v] = (1.0f + 0.004f * static_cast<float>(v - 1)) *
                    (1.0f + 0.004f * SlowSine((4.6f + 0.3f * static_cast<float>(v)) * t));
      }
    }
    float s = 0.0f;
    for (int v = 0; v < 3; ++v) {
      const float step = f * wobble[v] / rate;
      phases[v] += step;
      s += SmoothSaw(phases[v], step);
    }
    first.Run(s);
    second.Run(s);
    return (first.Band() + 0.6f * second.Band()) * env * note.velocity * 0.05f;
  });
}

void PlayBell(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.sampleRate);
  float decay = 1.0f, index = 2.2f;
  const float decayStep = std::exp(-2.8f / rate);
  const float indexStep = std::exp(-5.0f / rate);
  Render(bus, note.start, note.length + 1.5f, note.pan, 0.5f, [&](float t, std::size_t) {
    decay *= decayStep;
    index *= indexStep;
    const float env = decay * std::min(1.0f, t * 400.0f);
    const float modulator = std::sin(kTwoPi * f * 3.5f * t) * index;
    return std::sin(kTwoPi * f * t + modulator) * env * note.velocity * 0.13f;
  });
}

void PlayTimpani(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  NoiseSource noise(SeedOf(note));
  Filter filter;
  filter.Set(400.0f, 1.0f, static_cast<float>(bus.sampleRate));
  const float rate = static_cast<float>(bus.sampleRate);
  float ring = 1.0f, hitLevel = 2.0f, phase = 0.0f;
  const float ringStep = std::exp(-2.6f / rate);
  const float hitStep = std::exp(-40.0f / rate);
  Render(bus, note.start, 1.6f, note.pan, 0.5f, [&](float t, std::size_t) {
    const float bend = 1.0f + 0.06f * hitLevel * 0.5f;
    phase += f * bend / rate;
    const float body = std::sin(kTwoPi * phase) + 0.35f * std::sin(kTwoPi * f * 1.5f * t);
    filter.Run(noise.Next());
    ring *= ringStep;
    hitLevel *= hitStep;
    const float hit = filter.Low() * hitLevel;
    return (body * ring + hit) * note.velocity * 0.32f;
  });
}

void PlayKick(Bus& bus, float time, float velocity) {
  float phase = 0.0f;
  const float rate = static_cast<float>(bus.sampleRate);
  Render(bus, time, 0.4f, 0.0f, 0.02f, [&](float t, std::size_t) {
    const float f = 48.0f + 110.0f * std::exp(-t * 32.0f);
    phase += f / rate;
    const float click = t < 0.003f ? 0.5f : 0.0f;
    return (std::sin(kTwoPi * phase) * std::exp(-t * 8.0f) + click) * velocity * 0.55f;
  });
}

void PlaySnare(Bus& bus, float time, float velocity) {
  NoiseSource noise(static_cast<uint32_t>(time * 1000.0f) + 17u);
  Filter filter;
  filter.Set(3200.0f, 0.8f, static_cast<float>(bus.sampleRate));
  Render(bus, time, 0.3f, 0.05f, 0.25f, [&](float t, std::size_t) {
    filter.Run(noise.Next());
    const float rattle = (filter.Band() + 0.3f * filter.High()) * std::exp(-t * 16.0f);
    const float body = std::sin(kTwoPi * 185.0f * t) * std::exp(-t * 28.0f);
    return (rattle * 0.8f + body * 0.5f) * velocity * 0.4f;
  });
}

void PlayHiHat(Bus& bus, float time, float velocity, bool open) {
  NoiseSource noise(static_cast<uint32_t>(time * 1000.0f) + 29u);
  Filter filter;
  filter.Set(7800.0f, 0.9f, static_cast<float>(bus.sampleRate));
  const float decay = open ? 9.0f : 45.0f;
  Render(bus, time, open ? 0.35f : 0.08f, 0.3f, 0.1f, [&](float t, std::size_t) {
    filter.Run(noise.Next());
    return filter.High() * std::exp(-t * decay) * velocity * 0.16f;
  });
}

void PlayCymbal(Bus& bus, float time, float velocity, float length) {
  NoiseSource noise(static_cast<uint32_t>(time * 1000.0f) + 41u);
  Filter filter;
  filter.Set(6000.0f, 0.7f, static_cast<float>(bus.sampleRate));
  Render(bus, time, length, -0.2f, 0.5f, [&](float t, std::size_t) {
    filter.Run(noise.Next());
    const float env = std::min(1.0f, t * 300.0f) * std::exp(-t * 3.0f / length);
    return (filter.High() + 0.4f * filter.Band()) * env * velocity * 0.14f;
  });
}

}  // namespace kb::assetgen
