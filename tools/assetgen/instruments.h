#pragma once

#include <cstdint>
#include <vector>

#include "ogg_writer.h"

namespace kb::assetgen {

// Where instruments play: a dry stereo mix and a mono send to the room.
struct Bus {
  int sampleRate = 44100;
  StereoBuffer dry;
  std::vector<float> send;

  Bus(int rate, float seconds);
  std::size_t Length() const { return dry.left.size(); }
  // Adds a sample at index i, panned (-1 left .. 1 right) with constant power.
  void Add(std::size_t i, float sample, float pan, float sendLevel);
  // Mixes the room in, softly limits and scales the peak to the target.
  StereoBuffer Finish(float roomLevel, float peak);
};

struct Note {
  float start = 0.0f;   // seconds
  float length = 0.0f;  // seconds held
  float pitch = 60.0f;  // MIDI note number
  float velocity = 1.0f;
  float pan = 0.0f;
};

// Electronic voices.
void PlaySynthBass(Bus& bus, const Note& note);
void PlaySynthPad(Bus& bus, const Note& note);
void PlayPluck(Bus& bus, const Note& note);
void PlaySynthLead(Bus& bus, const Note& note);
// Orchestral voices.
void PlayStrings(Bus& bus, const Note& note, bool staccato);
void PlayBrass(Bus& bus, const Note& note);
void PlayChoir(Bus& bus, const Note& note);
void PlayBell(Bus& bus, const Note& note);
void PlayTimpani(Bus& bus, const Note& note);
// Drums; the note's pitch is ignored except by the toms.
void PlayKick(Bus& bus, float time, float velocity);
void PlaySnare(Bus& bus, float time, float velocity);
void PlayHiHat(Bus& bus, float time, float velocity, bool open);
void PlayCymbal(Bus& bus, float time, float velocity, float length);

}  // namespace kb::assetgen
