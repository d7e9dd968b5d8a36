#pragma once

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "ogg_writer.h"

namespace kb::assetgen {

struct Note {
  float start = 0.0f;   // seconds
  float length = 0.0f;  // seconds held
  float pitch = 60.0f;  // MIDI note number
  float velocity = 1.0f;
  float pan = 0.0f;
};

// Where instruments play: a dry stereo mix and a mono send to the room.
// Music repeats itself, so every distinct note (voice, pitch, length,
// velocity) is rendered once and mixed in wherever it sounds again.
class Bus {
 public:
  Bus(int rate, float seconds);

  int SampleRate() const { return sampleRate_; }
  std::size_t Length() const { return dry_.left.size(); }
  float Seconds() const { return static_cast<float>(Length()) / static_cast<float>(sampleRate_); }

  // The rendered samples of a note, or null when it is not rendered yet.
  using Key = std::tuple<int, int, int, int, int>;
  const std::vector<float>* Cached(const Key& key) const;
  const std::vector<float>& Store(const Key& key, std::vector<float> samples);
  // Adds mono samples from time start, panned (-1 left .. 1 right) with
  // constant power, and sendLevel of them to the room.
  void Mix(const std::vector<float>& samples, float start, float gain, float pan, float sendLevel);

  // Mixes the room in, softly limits, scales the peak to the target and
  // fades the very ends against clicks.
  StereoBuffer Finish(float roomLevel, float peak);

 private:
  int sampleRate_;
  StereoBuffer dry_;
  std::vector<float> send_;
  std::map<Key, std::vector<float>> cache_;
};

// Electronic voices.
void PlaySynthBass(Bus& bus, const Note& note);
void PlaySynthPad(Bus& bus, const Note& note, float brightness = 1.0f);
void PlayPluck(Bus& bus, const Note& note);
void PlaySynthLead(Bus& bus, const Note& note);
// Orchestral voices.
void PlayStrings(Bus& bus, const Note& note, bool staccato);
void PlayPizzicato(Bus& bus, const Note& note);
void PlayBrass(Bus& bus, const Note& note);
void PlayFlute(Bus& bus, const Note& note);
void PlayChoir(Bus& bus, const Note& note);
void PlayBell(Bus& bus, const Note& note);
void PlayTimpani(Bus& bus, const Note& note);
// Drums; variant picks one of a few takes so rolls do not sound stamped.
void PlayKick(Bus& bus, float time, float velocity);
void PlaySnare(Bus& bus, float time, float velocity, int variant = 0);
void PlayClap(Bus& bus, float time, float velocity);
void PlayHiHat(Bus& bus, float time, float velocity, bool open, int variant = 0);
void PlayTom(Bus& bus, float time, float pitch, float velocity);
void PlayCymbal(Bus& bus, float time, float velocity, float length);
// A rising noise sweep that leads into a new section, ending at time end.
void PlayRiser(Bus& bus, float end, float length, float velocity);

}  // namespace kb::assetgen
