#include "melody.h"

#include <algorithm>
#include <cstdlib>

#include "noise.h"

namespace kb::assetgen {
namespace {

int FoldInto(int step, int low, int high) {
  while (step < low) step += 7;
  while (step > high) step -= 7;
  return std::max(step, low);
}

enum class Segment { kStatement, kSequence, kCadence };

struct Placed {
  int start;  // eighth from the segment's start
  int length;
  int step;
};

}  // namespace

Motif Inverted(const Motif& motif) {
  Motif out = motif;
  for (Motif::Tone& tone : out.tones) tone.step = -tone.step;
  return out;
}

int NearestChordTone(const Chord& chord, int step, int low, int high) {
  for (int d = 0; d < 7; ++d) {
    for (int candidate : {step + d, step - d}) {
      if (candidate >= low && candidate <= high && IsChordTone(chord, candidate)) return candidate;
    }
  }
  return std::clamp(step, low, high);
}

// The chord tone nearest to target that moves away from previous in the
// direction the motif moves (any direction when it holds its note).
int ChordToneAlong(const Chord& chord, int previous, int target, int low, int high) {
  const int direction = (target > previous) - (target < previous);
  int best = NearestChordTone(chord, target, low, high);
  int bestDistance = 99;
  for (int c = low; c <= high; ++c) {
    if (!IsChordTone(chord, c)) continue;
    const int moves = (c > previous) - (c < previous);
    if (direction != 0 && moves != direction) continue;
    if (direction == 0 && std::abs(c - previous) > 2) continue;
    const int d = std::abs(c - target);
    if (d < bestDistance) {
      best = c;
      bestDistance = d;
    }
  }
  return best;
}

std::vector<MelodyNote> DevelopTheme(const Motif& motif, const std::vector<Chord>& chords,
                                     int anchor, int low, int high, uint32_t seed) {
  AssetRandom random(seed);
  std::vector<MelodyNote> theme;
  const int segments = static_cast<int>(chords.size()) / 2;
  const int first = NearestChordTone(chords[0], anchor, low, high);
  int previous = first;
  for (int s = 0; s < segments; ++s) {
    const Segment kind = s + 1 == segments ? Segment::kCadence
                         : s % 2 == 1      ? Segment::kSequence
                                           : Segment::kStatement;
    const Chord& opening = chords[static_cast<std::size_t>(2 * s)];
    // The sequence climbs a little, so the theme goes somewhere; the
    // statement comes back to where it began.
    int start = first;
    if (kind != Segment::kStatement) start = previous + (random.Below(3) == 0 ? -1 : 2);
    // Start where the whole motif fits the range, so it keeps its shape.
    int reachUp = 0, reachDown = 0;
    for (const Motif::Tone& tone : motif.tones) {
      reachUp = std::max(reachUp, tone.step);
      reachDown = std::min(reachDown, tone.step);
    }
    const int lowest = low - reachDown;
    const int highest = std::max(lowest, high - reachUp);
    start = NearestChordTone(opening, std::clamp(FoldInto(start, low, high), lowest, highest),
                             lowest, highest);

    std::vector<Placed> notes;
    for (const Motif::Tone& tone : motif.tones) {
      if (kind == Segment::kCadence && tone.start >= 8) break;  // the second bar closes instead
      notes.push_back(Placed{tone.start, tone.length, start + tone.step});
    }
    if (notes.empty()) notes.push_back(Placed{0, 8, start});
    if (kind == Segment::kSequence) {
      // A passing note splits the longest note of the second bar.
      auto longest =
          std::max_element(notes.begin(), notes.end(), [](const Placed& a, const Placed& b) {
            return (a.start >= 8 ? a.length : 0) < (b.start >= 8 ? b.length : 0);
          });
      if (longest->start >= 8 && longest->length >= 4 && random.Below(2) == 0) {
        const int half = longest->length / 2;
        longest->length -= half;
        notes.insert(longest + 1, Placed{longest->start + longest->length, half,
                                         longest->step + (random.Below(2) == 0 ? 1 : -1)});
      }
    }
    if (kind == Segment::kCadence) notes.back().length = 8 - notes.back().start;

    // Should it still stick out, the whole segment moves by octaves, so its
    // intervals stay as the motif has them.
    auto [bottom, top] =
        std::minmax_element(notes.begin(), notes.end(),
                            [](const Placed& a, const Placed& b) { return a.step < b.step; });
    int shift = 0;
    while (top->step + shift > high && bottom->step + shift - 7 >= low - 2) shift -= 7;
    while (bottom->step + shift < low && top->step + shift + 7 <= high + 2) shift += 7;

    // Strong beats take chord tones, moving the way the motif moves.
    int written = notes.front().step;
    int sung = theme.empty() ? start : theme.back().step;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      Placed& note = notes[i];
      const int bar = 2 * s + note.start / 8;
      const Chord& chord =
          chords[static_cast<std::size_t>(std::min<int>(bar, static_cast<int>(chords.size()) - 1))];
      const int target = i == 0 ? note.step + shift : sung + (note.step - written);
      int step = std::clamp(target, low, high);
      if (note.start % 4 == 0) {
        step = i == 0 ? NearestChordTone(chord, step, low, high)
                      : ChordToneAlong(chord, sung, target, low, high);
      }
      written = note.step;
      sung = step;
      note.step = step;
    }
    if (kind == Segment::kCadence) {
      const Chord& last = chords[static_cast<std::size_t>(2 * s + 1)];
      const int approach = notes.back().step;
      int goal = NearestChordTone(last, approach, low, high);
      // Now and then the theme ends on the chord's root rather than the
      // nearest tone: a firmer close.
      if (random.Below(2) == 0)
        goal = NearestChordTone(last, ChordSteps(last, goal - 3)[0], low, high);
      const int before = goal + (goal > approach ? -1 : 1);
      notes.push_back(Placed{8, 2, std::clamp(before, low, high)});
      notes.push_back(Placed{10, 6, goal});
    }
    for (const Placed& note : notes) {
      theme.push_back(MelodyNote{static_cast<float>(2 * s * 8 + note.start) * 0.5f,
                                 static_cast<float>(note.length) * 0.5f, note.step});
    }
    previous = theme.back().step;
  }
  return theme;
}

}  // namespace kb::assetgen
