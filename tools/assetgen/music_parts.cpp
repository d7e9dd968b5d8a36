#include "music_parts.h"

#include <algorithm>
#include <cstring>

namespace kb::assetgen {
namespace {

float StepVelocity(const char* layer, int step) {
  if (std::strlen(layer) <= static_cast<std::size_t>(step)) return 0.0f;
  switch (layer[step]) {
    case 'o':
      return 0.45f;
    case 'x':
      return 0.75f;
    case 'X':
      return 1.0f;
    default:
      return 0.0f;
  }
}

}  // namespace

void PlayGroove(Bus& bus, const Groove& groove, float start, float bar, float level) {
  const float sixteenth = bar / 16.0f;
  for (int k = 0; k < 16; ++k) {
    const float t = start + static_cast<float>(k) * sixteenth;
    if (const float v = StepVelocity(groove.kick, k); v > 0.0f) PlayKick(bus, t, v * level);
    if (const float v = StepVelocity(groove.snare, k); v > 0.0f) {
      PlaySnare(bus, t, v * level, k % 3);
    }
    if (const float v = StepVelocity(groove.clap, k); v > 0.0f) PlayClap(bus, t, v * level);
    if (const float v = StepVelocity(groove.hat, k); v > 0.0f) {
      PlayHiHat(bus, t, v * level, false, k % 4);
    }
    if (const float v = StepVelocity(groove.openHat, k); v > 0.0f) {
      PlayHiHat(bus, t, v * level, true, k % 2);
    }
  }
}

void PlaySnareRoll(Bus& bus, float start, float length, float from, float to) {
  const int hits = std::max(2, static_cast<int>(length / 0.07f));
  for (int k = 0; k < hits; ++k) {
    const float x = static_cast<float>(k) / static_cast<float>(hits - 1);
    PlaySnare(bus, start + length * static_cast<float>(k) / static_cast<float>(hits),
              from + (to - from) * x, k % 3);
  }
}

float Pitch(const Key& key, int step, const Chord& over) {
  return static_cast<float>(StepToNote(key, step, over));
}

void PlayTheme(const std::vector<MelodyNote>& theme, const ThemeSetting& setting, float semitones,
               float velocity, float pan, float legato,
               const std::function<void(const Note&)>& play) {
  const std::vector<Chord>& chords = *setting.chords;
  for (const MelodyNote& n : theme) {
    const std::size_t bar = std::min(static_cast<std::size_t>(n.beat / 4.0f), chords.size() - 1);
    const bool downbeat = n.beat == static_cast<float>(bar) * 4.0f;
    play(Note{setting.start + n.beat * setting.beat, n.beats * setting.beat * legato,
              Pitch(setting.key, n.step, chords[bar]) + semitones,
              velocity * (downbeat ? 1.0f : 0.86f), pan});
  }
}

}  // namespace kb::assetgen
