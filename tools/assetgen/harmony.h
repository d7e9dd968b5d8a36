#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kb::assetgen {

// A minor key: tonic as a MIDI note; scale steps count from the tonic.
struct Key {
  int tonic = 57;
};

// A triad on a scale degree (0 = tonic); major marks the raised third that
// turns the minor dominant into the major one (E major in A minor).
struct Chord {
  int degree = 0;
  bool major = false;
};

// MIDI note of scale step s (may be negative or beyond one octave). Over a
// major dominant the seventh step is raised, as harmonic minor does.
int StepToNote(const Key& key, int step, const Chord& over);

// The chord's three notes as scale steps from its root, lifted into the
// octave starting at baseStep.
std::array<int, 3> ChordSteps(const Chord& chord, int baseStep);

// True when scale step s is one of the chord's tones.
bool IsChordTone(const Chord& chord, int step);

struct MelodyNote {
  float beat = 0.0f;   // from the start of the phrase, in quarter notes
  float beats = 1.0f;  // length
  int step = 0;        // scale step
};

// A phrase of one bar per chord (4/4): chord tones on strong beats, steps
// between them, a long note at the end. Steps stay within low..high.
std::vector<MelodyNote> ComposePhrase(const std::vector<Chord>& chords, uint32_t seed, int low,
                                      int high, int start, bool slow);

}  // namespace kb::assetgen
