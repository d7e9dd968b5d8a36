#pragma once

#include <cstdint>
#include <vector>

#include "harmony.h"

namespace kb::assetgen {

// The seed of a theme: the rhythm and contour of two bars of 4/4, in eighth
// notes and in scale steps relative to its first note.
struct Motif {
  struct Tone {
    int start;   // eighth note from the motif's start, 0..15
    int length;  // in eighths
    int step;    // scale steps above (or below) the first note
  };
  std::vector<Tone> tones;
};

// The motif turned upside down: the same rhythm, every interval mirrored.
Motif Inverted(const Motif& motif);

// Develops a motif into a theme over chords (one per bar, an even number):
// the motif, a sequence of it on the next chords, the motif again and a
// cadence that ends on a long chord tone of the last chord. Notes on the
// strong beats are moved to the nearest chord tone; the theme stays within
// low..high and starts near anchor. The seed varies small details (passing
// notes, the cadence's last step), so one motif gives several related themes.
std::vector<MelodyNote> DevelopTheme(const Motif& motif, const std::vector<Chord>& chords,
                                     int anchor, int low, int high, uint32_t seed);

// The nearest chord tone to step within low..high (upwards on a tie).
int NearestChordTone(const Chord& chord, int step, int low, int high);

}  // namespace kb::assetgen
