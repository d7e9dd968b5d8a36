#pragma once

#include <functional>
#include <vector>

#include "harmony.h"
#include "instruments.h"

namespace kb::assetgen {

constexpr int kMusicRate = 44100;
// The music stays under the explosions: it peaks at half of full scale, so
// a blast on top of its loudest moment still has room.
constexpr float kMusicPeak = 0.5f;

// One bar of a drum machine, 16 steps per layer: '.' rest, 'o' soft,
// 'x' normal, 'X' accent. An empty layer plays nothing.
struct Groove {
  const char* kick = "";
  const char* snare = "";
  const char* clap = "";
  const char* hat = "";
  const char* openHat = "";
};

void PlayGroove(Bus& bus, const Groove& groove, float start, float bar, float level);

// A snare roll over the last beats of a bar, rising in strength: the fill
// that announces the next section.
void PlaySnareRoll(Bus& bus, float start, float length, float from, float to);

// Where a theme sounds: its key, its chords (one per bar), the time of its
// first bar and the length of a beat.
struct ThemeSetting {
  Key key;
  const std::vector<Chord>* chords = nullptr;
  float start = 0.0f;
  float beat = 0.5f;
};

// Plays every note of a theme through play, transposed by semitones; the
// first note of each bar a little stronger, each note held for legato of
// its written length.
void PlayTheme(const std::vector<MelodyNote>& theme, const ThemeSetting& setting, float semitones,
               float velocity, float pan, float legato,
               const std::function<void(const Note&)>& play);

// The MIDI note of a scale step over a chord of the setting's key.
float Pitch(const Key& key, int step, const Chord& over);

// The sections of a piece in playing order, and its length.
template <typename Section>
float PlanSeconds(const std::vector<Section>& plan, float barSeconds) {
  std::size_t bars = 0;
  for (const Section& s : plan) bars += s.chords.size();
  return static_cast<float>(bars) * barSeconds;
}

}  // namespace kb::assetgen
