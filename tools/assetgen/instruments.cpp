#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace kb::assetgen {
namespace {

enum VoiceId {
  kBassVoice,
  kPadVoice,
  kPluckVoice,
  kLeadVoice,
  kStringsVoice,
  kStaccatoVoice,
  kPizzicatoVoice,
  kBrassVoice,
  kFluteVoice,
  kChoirVoice,
  kBellVoice,
  kTimpaniVoice,
  kKickVoice,
  kSnareVoice,
  kClapVoice,
  kHiHatVoice,
  kOpenHatVoice,
  kTomVoice,
  kCymbalVoice,
  kRiserVoice,
};

// Voices update slow-moving values (filter cutoffs, vibrato) only every
// kControlStep samples.
constexpr std::size_t kControlStep = 32;

// Renders voice(t, k) for duration seconds into the cache (once per
// distinct note) and mixes it in at start.
template <typename Voice>
void Render(Bus& bus, VoiceId id, int variant, float start, float pitch, float length,
            float velocity, float duration, float pan, float sendLevel, Voice voice) {
  const Bus::Key key{id, static_cast<int>(std::lround(pitch * 100.0f)),
                     static_cast<int>(std::lround(length * 1000.0f)),
                     static_cast<int>(std::lround(velocity * 100.0f)), variant};
  const std::vector<float>* samples = bus.Cached(key);
  if (samples == nullptr) {
    const float rate = static_cast<float>(bus.SampleRate());
    std::vector<float> rendered(static_cast<std::size_t>(duration * rate));
    const float step = 1.0f / rate;
    for (std::size_t k = 0; k < rendered.size(); ++k) {
      rendered[k] = voice(static_cast<float>(k) * step, k);
    }
    samples = &bus.Store(key, std::move(rendered));
  }
  bus.Mix(*samples, start, 1.0f, pan, sendLevel);
}

template <typename Voice>
void RenderNote(Bus& bus, VoiceId id, const Note& note, float tail, float sendLevel, Voice voice) {
  Render(bus, id, 0, note.start, note.pitch, note.length, note.velocity, note.length + tail,
         note.pan, sendLevel, voice);
}

// A sine for slow modulation: a parabola per half turn, close enough for
// vibrato and cheaper than the library sine.
float SlowSine(float turns) {
  const float p = turns - std::floor(turns);
  const float x = p < 0.5f ? p * 4.0f - 1.0f : 3.0f - p * 4.0f;  // triangle -1..1
  return x * (1.5f - 0.5f * x * x);
}

}  // namespace

Bus::Bus(int rate, float seconds) : sampleRate_(rate) {
  const std::size_t n = static_cast<std::size_t>(seconds * static_cast<float>(rate));
  dry_.sampleRate = rate;
  dry_.left.assign(n, 0.0f);
  dry_.right.assign(n, 0.0f);
  send_.assign(n, 0.0f);
}

const std::vector<float>* Bus::Cached(const Key& key) const {
  const auto found = cache_.find(key);
  return found == cache_.end() ? nullptr : &found->second;
}

const std::vector<float>& Bus::Store(const Key& key, std::vector<float> samples) {
  return cache_[key] = std::move(samples);
}

void Bus::Mix(const std::vector<float>& samples, float start, float gain, float pan,
              float sendLevel) {
  const std::size_t first =
      static_cast<std::size_t>(std::max(0.0f, start) * static_cast<float>(sampleRate_));
  if (first >= Length()) return;
  const std::size_t count = std::min(samples.size(), Length() - first);
  const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * 3.14159265f;
  const float left = std::cos(angle) * gain;
  const float right = std::sin(angle) * gain;
  const float send = sendLevel * gain;
  float* l = dry_.left.data() + first;
  float* r = dry_.right.data() + first;
  float* s = send_.data() + first;
  for (std::size_t k = 0; k < count; ++k) {
    l[k] += samples[k] * left;
    r[k] += samples[k] * right;
    s[k] += samples[k] * send;
  }
}

StereoBuffer Bus::Finish(float roomLevel, float peak) {
  Reverb room(sampleRate_);
  StereoBuffer out = dry_;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    float l = 0.0f, r = 0.0f;
    room.Process(send_[i], &l, &r);
    out.left[i] += l * roomLevel;
    out.right[i] += r * roomLevel;
  }
  // A soft knee above 0.5: loud moments are rounded, not clipped.
  float highest = 1e-6f;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    for (float* v : {&out.left[i], &out.right[i]}) {
      const float a = std::abs(*v);
      if (a > 0.5f) *v = std::copysign(0.5f + 0.5f * std::tanh((a - 0.5f) * 2.0f), *v);
      highest = std::max(highest, std::abs(*v));
    }
  }
  const float gain = peak / highest;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    out.left[i] *= gain;
    out.right[i] *= gain;
  }
  const std::size_t fade =
      std::min<std::size_t>(out.left.size() / 2, static_cast<std::size_t>(sampleRate_ / 50));
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
  const float rate = static_cast<float>(bus.SampleRate());
  const float dt = f / rate;
  Filter filter;
  RenderNote(bus, kBassVoice, note, 0.08f, 0.04f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.004f, 0.12f, 0.7f, 0.06f);
    if (k % kControlStep == 0) filter.Set(160.0f + 1300.0f * std::exp(-t * 14.0f), 1.5f, rate);
    const float phase = f * t;
    filter.Run(0.6f * SmoothSaw(phase, dt) + 0.55f * std::sin(kTwoPi * phase * 0.5f));
    return filter.Low() * env * note.velocity * 0.5f;
  });
}

void PlaySynthPad(Bus& bus, const Note& note, float brightness) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  const float detunes[3] = {-0.11f, 0.0f, 0.12f};
  float steps[3];
  float phases[3] = {0.0f, 0.33f, 0.71f};
  for (int v = 0; v < 3; ++v) steps[v] = f * std::pow(2.0f, detunes[v] / 12.0f) / rate;
  const Note keyed{note.start, note.length, note.pitch, note.velocity * brightness, note.pan};
  Render(bus, kPadVoice, 0, note.start, note.pitch, note.length, keyed.velocity, note.length + 0.8f,
         note.pan, 0.5f, [&](float t, std::size_t k) {
           const float env = Adsr(t, note.length, 0.35f, 0.3f, 0.8f, 0.8f);
           if (k % kControlStep == 0) {
             // The filter breathes open over the note.
             const float open = std::min(1.0f, t / (note.length + 0.2f));
             filter.Set((500.0f + 900.0f * open) * brightness, 0.9f, rate);
           }
           float s = 0.0f;
           for (int v = 0; v < 3; ++v) {
             phases[v] += steps[v];
             s += SmoothSaw(phases[v], steps[v]);
           }
           filter.Run(s * 0.33f);
           return filter.Low() * env * note.velocity * 0.14f;
         });
}

void PlayPluck(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  float decay = 1.0f;
  const float decayStep = std::exp(-9.0f / rate);
  RenderNote(bus, kPluckVoice, note, 0.3f, 0.35f, [&](float t, std::size_t k) {
    decay *= decayStep;
    const float env = decay * Adsr(t, note.length, 0.002f, 0.05f, 1.0f, 0.2f);
    if (k % kControlStep == 0) filter.Set(600.0f + 3600.0f * std::exp(-t * 18.0f), 1.3f, rate);
    filter.Run(Square(f * t, 0.3f));
    return filter.Low() * env * note.velocity * 0.11f;
  });
}

void PlaySynthLead(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  float phaseA = 0.0f, phaseB = 0.0f;
  float vibrato = 1.0f;
  RenderNote(bus, kLeadVoice, note, 0.25f, 0.3f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.01f, 0.15f, 0.75f, 0.2f);
    if (k % kControlStep == 0) {
      // Vibrato only on held notes, as a singer would.
      vibrato = 1.0f + 0.004f * SlowSine(5.5f * t) * std::clamp((t - 0.25f) * 3.0f, 0.0f, 1.0f);
      filter.Set(900.0f + 2400.0f * std::exp(-t * 6.0f), 1.4f, rate);
    }
    phaseA += f * vibrato / rate;
    phaseB += f * vibrato * 1.006f / rate;
    filter.Run(0.5f * SmoothSaw(phaseA, f / rate) + 0.35f * Square(phaseB, 0.5f));
    return filter.Low() * env * note.velocity * 0.2f;
  });
}

void PlayStrings(Bus& bus, const Note& note, bool staccato) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  filter.Set(staccato ? 2600.0f : 1900.0f, 0.8f, rate);
  float phases[4] = {0.0f, 0.31f, 0.57f, 0.83f};
  const float detunes[4] = {-0.09f, -0.03f, 0.04f, 0.1f};
  float steps[4];
  for (int v = 0; v < 4; ++v) steps[v] = f * std::pow(2.0f, detunes[v] / 12.0f) / rate;
  float vibrato = 1.0f;
  RenderNote(bus, staccato ? kStaccatoVoice : kStringsVoice, note, staccato ? 0.12f : 0.6f, 0.55f,
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

void PlayPizzicato(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  float decay = 1.0f;
  const float decayStep = std::exp(-7.0f / rate);
  RenderNote(bus, kPizzicatoVoice, note, 0.5f, 0.5f, [&](float t, std::size_t k) {
    decay *= decayStep;
    if (k % kControlStep == 0) filter.Set(400.0f + 2600.0f * std::exp(-t * 25.0f), 1.2f, rate);
    filter.Run(SmoothSaw(f * t, f / rate) + 0.5f * Triangle(f * 2.0f * t));
    return filter.Low() * decay * std::min(1.0f, t * 900.0f) * note.velocity * 0.22f;
  });
}

void PlayBrass(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Filter filter;
  float phaseA = 0.0f, phaseB = 0.0f;
  float vibrato = 1.0f;
  RenderNote(bus, kBrassVoice, note, 0.3f, 0.45f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.06f, 0.2f, 0.85f, 0.25f);
    if (k % kControlStep == 0) {
      const float swell = std::min(1.0f, t / 0.12f);
      vibrato = 1.0f + 0.0035f * SlowSine(5.2f * t) * std::clamp((t - 0.3f) * 2.0f, 0.0f, 1.0f);
      filter.Set(300.0f + 2000.0f * swell * (0.6f + 0.4f * note.velocity), 1.1f, rate);
    }
    phaseA += f * vibrato / rate;
    phaseB += f * vibrato * 1.004f / rate;
    filter.Run(0.55f * SmoothSaw(phaseA, f / rate) + 0.45f * SmoothSaw(phaseB, f / rate));
    return filter.Low() * env * note.velocity * 0.24f;
  });
}

void PlayFlute(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  NoiseSource breath(static_cast<uint32_t>(note.pitch * 13.0f) + 5u);
  Filter air;
  air.Set(f * 2.0f, 4.0f, rate);
  float phase = 0.0f;
  float vibrato = 1.0f;
  RenderNote(bus, kFluteVoice, note, 0.2f, 0.5f, [&](float t, std::size_t k) {
    const float env = Adsr(t, note.length, 0.06f, 0.1f, 0.9f, 0.15f);
    if (k % kControlStep == 0) {
      vibrato = 1.0f + 0.005f * SlowSine(5.0f * t) * std::clamp((t - 0.2f) * 2.0f, 0.0f, 1.0f);
    }
    phase += f * vibrato / rate;
    air.Run(breath.Next());
    const float tone = std::sin(kTwoPi * phase) + 0.18f * std::sin(kTwoPi * phase * 2.0f) +
                       0.06f * std::sin(kTwoPi * phase * 3.0f);
    return (tone + 0.25f * air.Band()) * env * note.velocity * 0.16f;
  });
}

void PlayChoir(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  // Two formant bands of an open "ah".
  Filter first, second;
  first.Set(750.0f, 6.0f, rate);
  second.Set(1150.0f, 6.0f, rate);
  float phases[3] = {0.0f, 0.4f, 0.7f};
  float wobble[3] = {1.0f, 1.0f, 1.0f};
  RenderNote(bus, kChoirVoice, note, 0.9f, 0.7f, [&](float t, std::size_t k) {
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
  const float rate = static_cast<float>(bus.SampleRate());
  float decay = 1.0f, index = 2.2f;
  const float decayStep = std::exp(-2.8f / rate);
  const float indexStep = std::exp(-5.0f / rate);
  RenderNote(bus, kBellVoice, note, 1.5f, 0.5f, [&](float t, std::size_t) {
    decay *= decayStep;
    index *= indexStep;
    const float env = decay * std::min(1.0f, t * 400.0f);
    const float modulator = std::sin(kTwoPi * f * 3.5f * t) * index;
    return std::sin(kTwoPi * f * t + modulator) * env * note.velocity * 0.13f;
  });
}

void PlayTimpani(Bus& bus, const Note& note) {
  const float f = NoteFrequency(note.pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  NoiseSource noise(static_cast<uint32_t>(note.pitch * 7.0f) + 3u);
  Filter filter;
  filter.Set(400.0f, 1.0f, rate);
  float ring = 1.0f, hitLevel = 2.0f, phase = 0.0f;
  const float ringStep = std::exp(-2.6f / rate);
  const float hitStep = std::exp(-40.0f / rate);
  Render(bus, kTimpaniVoice, 0, note.start, note.pitch, 0.0f, note.velocity, 1.6f, note.pan, 0.5f,
         [&](float t, std::size_t) {
           const float bend = 1.0f + 0.03f * hitLevel;
           phase += f * bend / rate;
           const float body = std::sin(kTwoPi * phase) + 0.35f * std::sin(kTwoPi * f * 1.5f * t);
           filter.Run(noise.Next());
           ring *= ringStep;
           hitLevel *= hitStep;
           return (body * ring + filter.Low() * hitLevel) * note.velocity * 0.32f;
         });
}

void PlayKick(Bus& bus, float time, float velocity) {
  float phase = 0.0f;
  const float rate = static_cast<float>(bus.SampleRate());
  Render(bus, kKickVoice, 0, time, 0.0f, 0.0f, velocity, 0.4f, 0.0f, 0.02f,
         [&](float t, std::size_t) {
           const float f = 48.0f + 110.0f * std::exp(-t * 32.0f);
           phase += f / rate;
           const float click = t < 0.003f ? 0.4f * (1.0f - t / 0.003f) : 0.0f;
           return (std::sin(kTwoPi * phase) * std::exp(-t * 8.0f) + click) * velocity * 0.55f;
         });
}

void PlaySnare(Bus& bus, float time, float velocity, int variant) {
  NoiseSource noise(17u + static_cast<uint32_t>(variant) * 7919u);
  Filter filter;
  filter.Set(3200.0f, 0.8f, static_cast<float>(bus.SampleRate()));
  Render(bus, kSnareVoice, variant, time, 0.0f, 0.0f, velocity, 0.3f, 0.05f, 0.25f,
         [&](float t, std::size_t) {
           filter.Run(noise.Next());
           const float rattle = (filter.Band() + 0.3f * filter.High()) * std::exp(-t * 16.0f);
           const float body = std::sin(kTwoPi * 185.0f * t) * std::exp(-t * 28.0f);
           return (rattle * 0.8f + body * 0.5f) * velocity * 0.4f;
         });
}

void PlayClap(Bus& bus, float time, float velocity) {
  NoiseSource noise(61u);
  Filter filter;
  filter.Set(1400.0f, 1.6f, static_cast<float>(bus.SampleRate()));
  Render(bus, kClapVoice, 0, time, 0.0f, 0.0f, velocity, 0.3f, -0.05f, 0.35f,
         [&](float t, std::size_t) {
           filter.Run(noise.Next());
           // Three quick slaps, then the room.
           const float slaps = (t < 0.03f) ? std::exp(-std::fmod(t, 0.01f) * 300.0f) : 0.0f;
           const float tail = std::exp(-t * 18.0f);
           return filter.Band() * std::max(slaps, tail) * velocity * 0.5f;
         });
}

void PlayHiHat(Bus& bus, float time, float velocity, bool open, int variant) {
  NoiseSource noise(29u + static_cast<uint32_t>(variant) * 104729u);
  Filter filter;
  filter.Set(7800.0f, 0.9f, static_cast<float>(bus.SampleRate()));
  const float decay = open ? 9.0f : 45.0f;
  Render(bus, open ? kOpenHatVoice : kHiHatVoice, variant, time, 0.0f, 0.0f, velocity,
         open ? 0.35f : 0.08f, 0.3f, 0.1f, [&](float t, std::size_t) {
           filter.Run(noise.Next());
           return filter.High() * std::exp(-t * decay) * velocity * 0.13f;
         });
}

void PlayTom(Bus& bus, float time, float pitch, float velocity) {
  float phase = 0.0f;
  const float f = NoteFrequency(pitch);
  const float rate = static_cast<float>(bus.SampleRate());
  Render(bus, kTomVoice, 0, time, pitch, 0.0f, velocity, 0.5f, pitch > 50.0f ? 0.3f : -0.3f, 0.3f,
         [&](float t, std::size_t) {
           phase += f * (1.0f + 0.5f * std::exp(-t * 30.0f)) / rate;
           return std::sin(kTwoPi * phase) * std::exp(-t * 9.0f) * velocity * 0.45f;
         });
}

void PlayCymbal(Bus& bus, float time, float velocity, float length) {
  NoiseSource noise(41u);
  Filter filter;
  filter.Set(6500.0f, 0.7f, static_cast<float>(bus.SampleRate()));
  Render(bus, kCymbalVoice, 0, time, 0.0f, length, velocity, length, -0.2f, 0.4f,
         [&](float t, std::size_t) {
           filter.Run(noise.Next());
           const float env = std::min(1.0f, t * 300.0f) * std::exp(-t * 4.0f / length);
           return (filter.High() + 0.3f * filter.Band()) * env * velocity * 0.07f;
         });
}

void PlayRiser(Bus& bus, float end, float length, float velocity) {
  NoiseSource noise(83u);
  Filter filter;
  const float rate = static_cast<float>(bus.SampleRate());
  Render(bus, kRiserVoice, 0, end - length, 0.0f, length, velocity, length, 0.0f, 0.6f,
         [&](float t, std::size_t k) {
           const float x = t / length;
           if (k % kControlStep == 0) filter.Set(400.0f + 5000.0f * x * x, 2.0f, rate);
           filter.Run(noise.Next());
           return filter.Band() * x * x * velocity * 0.12f;
         });
}

}  // namespace kb::assetgen
