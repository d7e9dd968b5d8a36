#include "music.h"

#include <vector>

#include "harmony.h"
#include "instruments.h"

namespace kb::assetgen {
namespace {

constexpr int kRate = 44100;

enum class Part { kIntro, kVerse, kChorus, kBreak, kFinale, kOutro };

struct Section {
  Part part;
  std::vector<Chord> chords;  // one per bar
};

// Intro, then verse and chorus pairs until the piece is long enough, a
// break, the finale and the outro.
std::vector<Section> Plan(const Section& intro, const Section& verse, const Section& chorus,
                          const Section& breakdown, const Section& finale, const Section& outro,
                          float barSeconds, float minimumSeconds) {
  auto bars = [](const std::vector<Section>& sections) {
    std::size_t n = 0;
    for (const Section& s : sections) n += s.chords.size();
    return n;
  };
  std::vector<Section> plan = {intro, verse, chorus};
  const float fixed =
      static_cast<float>(breakdown.chords.size() + finale.chords.size() + outro.chords.size()) *
      barSeconds;
  while (static_cast<float>(bars(plan)) * barSeconds + fixed < minimumSeconds) {
    plan.push_back(verse);
    plan.push_back(chorus);
  }
  plan.push_back(breakdown);
  plan.push_back(finale);
  plan.push_back(outro);
  return plan;
}

float PieceSeconds(const std::vector<Section>& plan, float barSeconds) {
  std::size_t bars = 0;
  for (const Section& s : plan) bars += s.chords.size();
  return static_cast<float>(bars) * barSeconds;
}

Note At(float start, float length, float pitch, float velocity, float pan) {
  return Note{start, length, pitch, velocity, pan};
}

}  // namespace

StereoBuffer ComposeTonwerk(float minimumSeconds) {
  const Key key{57};  // A minor
  const float beat = 60.0f / 128.0f;
  const float bar = 4.0f * beat;
  const Chord i{0}, iv{3}, v{4, true}, vi{5}, iii{2}, vii{6}, vm{4};
  const Section intro{Part::kIntro, {i, vi, iii, vii}};
  const Section verse{Part::kVerse, {i, vi, iii, vii, i, vi, iii, v}};
  const Section chorus{Part::kChorus, {iv, i, vm, vi, iv, vii, iii, v}};
  const Section breakdown{Part::kBreak, {vi, v}};
  const Section finale{Part::kFinale, {iv, vii, iii, v}};
  const Section outro{Part::kOutro, {i, i}};
  const std::vector<Section> plan =
      Plan(intro, verse, chorus, breakdown, finale, outro, bar, minimumSeconds);
  Bus bus(kRate, PieceSeconds(plan, bar) + 2.5f);

  const std::vector<MelodyNote> verseTune = ComposePhrase(verse.chords, 1201, 5, 14, 9, false);
  const std::vector<MelodyNote> chorusTune = ComposePhrase(chorus.chords, 1307, 7, 16, 11, false);
  const std::vector<MelodyNote> finaleTune = ComposePhrase(finale.chords, 1409, 7, 16, 9, false);

  float t0 = 0.0f;
  for (const Section& section : plan) {
    const bool drums = section.part == Part::kVerse || section.part == Part::kChorus ||
                       section.part == Part::kFinale;
    const std::vector<MelodyNote>* tune = nullptr;
    if (section.part == Part::kVerse) tune = &verseTune;
    if (section.part == Part::kChorus) tune = &chorusTune;
    if (section.part == Part::kFinale) tune = &finaleTune;
    for (std::size_t b = 0; b < section.chords.size(); ++b) {
      const Chord& chord = section.chords[b];
      const float start = t0 + static_cast<float>(b) * bar;
      const bool lastBar = b + 1 == section.chords.size();
      // Pad: the triad held through the bar.
      for (int step : ChordSteps(chord, 2)) {
        PlaySynthPad(bus,
                     At(start, bar * 0.96f, static_cast<float>(StepToNote(key, step, chord)),
                        section.part == Part::kBreak ? 1.0f : 0.8f, step % 2 == 0 ? -0.4f : 0.4f));
      }
      if (section.part == Part::kOutro) {
        if (b == 0) PlayCymbal(bus, start, 0.8f, 2.5f);
        continue;
      }
      // Arpeggio: chord tones rising and falling, sixteenths in the chorus.
      const bool fast = section.part == Part::kChorus || section.part == Part::kFinale;
      const int perBar = fast ? 16 : 8;
      const std::array<int, 3> tones = ChordSteps(chord, 7);
      static const int kOrder[8] = {0, 1, 2, 3, 2, 1, 0, 1};
      for (int k = 0; k < perBar; ++k) {
        const int idx = kOrder[k % 8];
        const int step = idx == 3 ? tones[0] + 7 : tones[idx];
        PlayPluck(bus, At(start + static_cast<float>(k) * bar / static_cast<float>(perBar),
                          bar / static_cast<float>(perBar) * 0.8f,
                          static_cast<float>(StepToNote(key, step, chord)),
                          k % 4 == 0 ? 1.0f : 0.7f, k % 2 == 0 ? 0.35f : -0.35f));
      }
      if (section.part == Part::kIntro && b >= 2) {
        for (int k = 0; k < 8; ++k)
          PlayHiHat(bus, start + static_cast<float>(k) * beat * 0.5f, 0.6f, false);
      }
      if (section.part == Part::kBreak) {
        // A bell echo of the tune over the break.
        PlayBell(bus, At(start, beat * 2.0f,
                         static_cast<float>(StepToNote(key, ChordSteps(chord, 9)[0], chord)), 0.8f,
                         0.2f));
        PlayBell(bus, At(start + beat * 2.0f, beat * 2.0f,
                         static_cast<float>(StepToNote(key, ChordSteps(chord, 9)[2], chord)), 0.6f,
                         -0.2f));
        if (lastBar) {
          for (int k = 0; k < 8; ++k)
            PlaySnare(bus, start + beat * 2.0f + static_cast<float>(k) * beat * 0.25f,
                      0.3f + 0.08f * static_cast<float>(k));
        }
      }
      if (!drums) continue;
      // Bass: root in eighths, the octave on the off-beats.
      const int root = ChordSteps(chord, -7)[0];
      for (int k = 0; k < 8; ++k) {
        const int step = (k % 2 == 1 && k != 7) ? root + 7 : root;
        PlaySynthBass(bus, At(start + static_cast<float>(k) * beat * 0.5f, beat * 0.42f,
                              static_cast<float>(StepToNote(key, step, chord)),
                              k % 2 == 0 ? 1.0f : 0.75f, 0.0f));
      }
      for (int k = 0; k < 4; ++k) PlayKick(bus, start + static_cast<float>(k) * beat, 1.0f);
      PlaySnare(bus, start + beat, 0.9f);
      PlaySnare(bus, start + 3.0f * beat, 0.9f);
      if (lastBar) PlaySnare(bus, start + 3.5f * beat, 0.6f);
      for (int k = 0; k < 8; ++k) {
        PlayHiHat(bus, start + static_cast<float>(k) * beat * 0.5f, k % 2 == 1 ? 0.9f : 0.5f,
                  k == 7);
      }
      if (b == 0) PlayCymbal(bus, start, 0.7f, 1.8f);
    }
    if (tune != nullptr) {
      for (const MelodyNote& n : *tune) {
        const std::size_t barIndex = static_cast<std::size_t>(n.beat / 4.0f);
        const Chord& over = section.chords[std::min(barIndex, section.chords.size() - 1)];
        PlaySynthLead(bus, At(t0 + n.beat * beat, n.beats * beat * 0.9f,
                              static_cast<float>(StepToNote(key, n.step, over)), 0.9f, 0.1f));
        if (section.part == Part::kFinale) {
          PlayBell(bus, At(t0 + n.beat * beat, n.beats * beat,
                           static_cast<float>(StepToNote(key, n.step + 7, over)), 0.45f, -0.3f));
        }
      }
    }
    t0 += static_cast<float>(section.chords.size()) * bar;
  }
  return bus.Finish(0.35f, 0.89f);
}

StereoBuffer ComposeFestorchester(float minimumSeconds) {
  const Key key{50};  // D minor
  const float beat = 60.0f / 96.0f;
  const float bar = 4.0f * beat;
  const Chord i{0}, iv{3}, v{4, true}, vi{5}, iii{2}, vii{6};
  const Section intro{Part::kIntro, {i, v}};
  const Section verse{Part::kVerse, {i, vi, iii, vii, i, vi, iv, v}};
  const Section chorus{Part::kChorus, {iv, i, vi, v}};
  const Section breakdown{Part::kBreak, {vi, v}};
  const Section finale{Part::kFinale, {i, vi, iv, v}};
  const Section outro{Part::kOutro, {i, i}};
  const std::vector<Section> plan =
      Plan(intro, verse, chorus, breakdown, finale, outro, bar, minimumSeconds);
  Bus bus(kRate, PieceSeconds(plan, bar) + 3.5f);

  const std::vector<MelodyNote> verseTune = ComposePhrase(verse.chords, 2203, 4, 12, 7, true);
  const std::vector<MelodyNote> chorusTune = ComposePhrase(chorus.chords, 2311, 6, 14, 9, true);
  const std::vector<MelodyNote> finaleTune = ComposePhrase(finale.chords, 2417, 7, 15, 9, true);

  float t0 = 0.0f;
  for (const Section& section : plan) {
    const std::vector<MelodyNote>* tune = nullptr;
    if (section.part == Part::kVerse) tune = &verseTune;
    if (section.part == Part::kChorus) tune = &chorusTune;
    if (section.part == Part::kFinale) tune = &finaleTune;
    const bool full = section.part == Part::kChorus || section.part == Part::kFinale;
    for (std::size_t b = 0; b < section.chords.size(); ++b) {
      const Chord& chord = section.chords[b];
      const float start = t0 + static_cast<float>(b) * bar;
      const bool lastBar = b + 1 == section.chords.size();
      // Low strings hold the root and fifth; the upper strings the triad.
      const int root = ChordSteps(chord, -7)[0];
      PlayStrings(
          bus,
          At(start, bar * 0.97f, static_cast<float>(StepToNote(key, root, chord)), 0.9f, -0.3f),
          false);
      PlayStrings(
          bus,
          At(start, bar * 0.97f, static_cast<float>(StepToNote(key, root + 4, chord)), 0.7f, -0.1f),
          false);
      for (int step : ChordSteps(chord, 2)) {
        PlayStrings(
            bus,
            At(start, bar * 0.97f, static_cast<float>(StepToNote(key, step, chord)), 0.55f, 0.25f),
            false);
      }
      if (section.part == Part::kOutro) {
        if (b == 0) {
          PlayCymbal(bus, start, 1.0f, 3.5f);
          PlayTimpani(bus,
                      At(start, 0.5f, static_cast<float>(StepToNote(key, -7, chord)), 1.0f, 0.0f));
          for (int step : ChordSteps(chord, 7)) {
            PlayBrass(bus, At(start, bar * 1.9f, static_cast<float>(StepToNote(key, step, chord)),
                              0.8f, 0.1f));
          }
          // A major third at the very end: the festive close.
          PlayChoir(bus, At(start, bar * 1.9f, static_cast<float>(StepToNote(key, 7, chord) + 4),
                            0.8f, 0.0f));
        }
        continue;
      }
      if (section.part == Part::kIntro) {
        // A timpani roll that swells into the first theme.
        const int hits = b == 0 ? 4 : 16;
        for (int k = 0; k < hits; ++k) {
          const float vel = 0.3f + 0.6f * (static_cast<float>(b * 16 + k * (16 / hits)) / 32.0f);
          PlayTimpani(bus, At(start + static_cast<float>(k) * bar / static_cast<float>(hits), 0.2f,
                              static_cast<float>(StepToNote(key, root, chord)), vel, 0.0f));
        }
        if (b >= 1) {
          PlayChoir(bus, At(start, bar,
                            static_cast<float>(StepToNote(key, ChordSteps(chord, 4)[0], chord)),
                            0.8f, 0.0f));
        }
        continue;
      }
      // The ostinato that drives the piece: root, fifth and octave in eighths.
      static const int kPattern[8] = {0, 0, 4, 0, 7, 0, 4, 0};
      for (int k = 0; k < 8; ++k) {
        PlayStrings(bus,
                    At(start + static_cast<float>(k) * beat * 0.5f, beat * 0.3f,
                       static_cast<float>(StepToNote(key, root + 7 + kPattern[k], chord)),
                       k % 2 == 0 ? 1.0f : 0.7f, 0.35f),
                    true);
      }
      PlayTimpani(bus,
                  At(start, 0.3f, static_cast<float>(StepToNote(key, root, chord)), 0.9f, 0.0f));
      PlayTimpani(bus, At(start + 2.0f * beat, 0.3f,
                          static_cast<float>(StepToNote(key, root + 4, chord)), 0.6f, 0.0f));
      if (b == 0) PlayCymbal(bus, start, 0.9f, 2.5f);
      if (full) {
        PlayChoir(
            bus, At(start, bar, static_cast<float>(StepToNote(key, ChordSteps(chord, 7)[0], chord)),
                    0.7f, -0.2f));
        PlayChoir(
            bus, At(start, bar, static_cast<float>(StepToNote(key, ChordSteps(chord, 7)[1], chord)),
                    0.6f, 0.2f));
        PlayKick(bus, start, 0.5f);
        PlaySnare(bus, start + beat, 0.35f);
        PlaySnare(bus, start + 3.0f * beat, 0.35f);
      }
      if (section.part == Part::kBreak) {
        PlayBell(bus, At(start, beat,
                         static_cast<float>(StepToNote(key, ChordSteps(chord, 11)[0], chord)), 0.7f,
                         0.3f));
        PlayBell(bus, At(start + beat * 1.5f, beat,
                         static_cast<float>(StepToNote(key, ChordSteps(chord, 11)[1], chord)), 0.6f,
                         -0.3f));
        PlayBell(bus, At(start + beat * 3.0f, beat,
                         static_cast<float>(StepToNote(key, ChordSteps(chord, 11)[2], chord)), 0.5f,
                         0.0f));
        if (lastBar) {
          for (int k = 0; k < 16; ++k) {
            PlaySnare(bus, start + static_cast<float>(k) * beat * 0.25f,
                      0.15f + 0.04f * static_cast<float>(k));
          }
        }
      }
    }
    if (tune != nullptr) {
      for (const MelodyNote& n : *tune) {
        const std::size_t barIndex = static_cast<std::size_t>(n.beat / 4.0f);
        const Chord& over = section.chords[std::min(barIndex, section.chords.size() - 1)];
        const float pitch = static_cast<float>(StepToNote(key, n.step, over));
        PlayBrass(bus, At(t0 + n.beat * beat, n.beats * beat * 0.92f, pitch, 0.95f, 0.05f));
        if (section.part != Part::kVerse) {
          PlayStrings(bus,
                      At(t0 + n.beat * beat, n.beats * beat * 0.95f, pitch + 12.0f, 0.55f, -0.25f),
                      false);
        }
        if (section.part == Part::kFinale) {
          PlayBell(bus, At(t0 + n.beat * beat, n.beats * beat, pitch + 24.0f, 0.3f, 0.3f));
        }
      }
    }
    t0 += static_cast<float>(section.chords.size()) * bar;
  }
  return bus.Finish(0.5f, 0.89f);
}

}  // namespace kb::assetgen
