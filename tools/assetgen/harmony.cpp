#include "harmony.h"

#include <algorithm>
#include <cstdlib>

#include "noise.h"

namespace kb::assetgen {
namespace {

constexpr int kMinorScale[7] = {0, 2, 3, 5, 7, 8, 10};

int Mod7(int v) {
  return ((v % 7) + 7) % 7;
}

// Rhythms of one bar in eighth notes: (start, length) pairs.
struct Rhythm {
  int count;
  int starts[8];
  int lengths[8];
};

constexpr Rhythm kLively[] = {
    {5, {0, 2, 3, 4, 6}, {2, 1, 1, 2, 2}},
    {3, {0, 3, 4}, {3, 1, 4}},
    {6, {0, 1, 2, 4, 5, 6}, {1, 1, 2, 1, 1, 2}},
    {4, {0, 2, 4, 6}, {2, 2, 2, 2}},
    {4, {0, 4, 6, 7}, {4, 2, 1, 1}},
};
constexpr Rhythm kSlow[] = {
    {2, {0, 4}, {4, 4}},
    {3, {0, 3, 4}, {3, 1, 4}},
    {3, {0, 4, 6}, {4, 2, 2}},
    {1, {0}, {8}},
};
constexpr Rhythm kCadence = {2, {0, 2}, {2, 6}};

}  // namespace

int StepToNote(const Key& key, int step, const Chord& over) {
  const int octave = (step >= 0) ? step / 7 : -((-step + 6) / 7);
  const int degree = Mod7(step);
  int note = key.tonic + 12 * octave + kMinorScale[degree];
  if (over.major && degree == 6) note += 1;
  return note;
}

std::array<int, 3> ChordSteps(const Chord& chord, int baseStep) {
  const int root = baseStep + Mod7(chord.degree - baseStep);
  return {root, root + 2, root + 4};
}

bool IsChordTone(const Chord& chord, int step) {
  const int d = Mod7(step - chord.degree);
  return d == 0 || d == 2 || d == 4;
}

std::vector<MelodyNote> ComposePhrase(const std::vector<Chord>& chords, uint32_t seed, int low,
                                      int high, int start, bool slow) {
  AssetRandom random(seed);
  std::vector<MelodyNote> notes;
  int current = start;
  // The first two bars share a rhythm, so the phrase has a recognisable motif.
  const int pool = slow ? 4 : 5;
  const int motif = random.Below(pool);
  for (std::size_t bar = 0; bar < chords.size(); ++bar) {
    const bool last = bar + 1 == chords.size();
    const Rhythm& rhythm = last ? kCadence
                           : (bar % 4 < 2 || slow)
                               ? (slow ? kSlow[(motif + bar) % 4] : kLively[motif])
                               : (slow ? kSlow[random.Below(pool)] : kLively[random.Below(pool)]);
    const Chord& chord = chords[bar];
    for (int i = 0; i < rhythm.count; ++i) {
      const bool strong = rhythm.starts[i] % 4 == 0;
      int next = current;
      if (strong || (last && i == rhythm.count - 1)) {
        // The nearest chord tone, now and then the second nearest.
        int best = current, second = current;
        int bestDistance = 99, secondDistance = 99;
        for (int s = low; s <= high; ++s) {
          if (!IsChordTone(chord, s)) continue;
          const int d = std::abs(s - current);
          if (d < bestDistance) {
            second = best;
            secondDistance = bestDistance;
            best = s;
            bestDistance = d;
          } else if (d < secondDistance) {
            second = s;
            secondDistance = d;
          }
        }
        next = (secondDistance < 99 && random.Below(3) == 0) ? second : best;
        if (last && i == rhythm.count - 1)
          next = ChordSteps(chord, next - 3)[static_cast<size_t>(random.Below(2)) * 2];
      } else {
        const int move = random.Below(5);
        next = current + (move < 2 ? 1 : move < 4 ? -1 : (random.Below(2) == 0 ? 2 : -2));
      }
      next = std::clamp(next, low, high);
      notes.push_back(
          MelodyNote{static_cast<float>(bar) * 4.0f + static_cast<float>(rhythm.starts[i]) * 0.5f,
                     static_cast<float>(rhythm.lengths[i]) * 0.5f, next});
      current = next;
    }
  }
  return notes;
}

}  // namespace kb::assetgen
