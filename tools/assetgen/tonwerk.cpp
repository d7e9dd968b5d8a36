// "Tonwerk3": electronic pop in A minor. A soft intro that builds, two
// verses, a chorus, a break, the chorus again, a half-time bridge, the last
// chorus and a short outro that settles on A minor.

#include <array>

#include "melody.h"
#include "music.h"
#include "music_parts.h"

namespace kb::assetgen {
namespace {

enum class Part {
  kIntro,
  kBuild,
  kVerse,
  kVerseFull,
  kChorus,
  kBreak,
  kBridge,
  kLastChorus,
  kOutro
};

struct Section {
  Part part;
  std::vector<Chord> chords;
};

const Key kKey{57};  // A minor
constexpr float kBeat = 60.0f / 128.0f;
constexpr float kBar = 4.0f * kBeat;

// Degrees of A minor: 0 Am, 2 C, 3 Dm, 4 E (major: the raised seventh), 5 F, 6 G.
const Chord kAm{0}, kC{2}, kDm{3}, kE{4, true}, kF{5}, kG{6};

const Groove kBuildGroove{"x.......x.......", "", "", "..x...x...x...x.", ""};
const Groove kVerseGroove{"x...x...x...x...", "", "....x.......x...", "o.x.o.x.o.x.o.x.", ""};
const Groove kChorusGroove{"X...x...X...x..x", "....x.......x...", "....x.......x...",
                           "xox.xox.xox.xox.", "...x...x...x...x"};
const Groove kBreakGroove{"x.......x.......", "", "", "....o.......o...", ""};
const Groove kBridgeGroove{"x.........x.....", "........X.......", "", "x.o.x.o.x.o.x.o.", ""};

// The verse motif: a short call that climbs and sinks back.
const Motif kVerseMotif{
    {{0, 2, 0}, {2, 1, 1}, {3, 1, 2}, {4, 2, 4}, {6, 2, 2}, {8, 3, 1}, {11, 1, 0}, {12, 4, -1}}};
// The chorus motif: longer notes from a higher start.
const Motif kChorusMotif{
    {{0, 3, 0}, {3, 1, -1}, {4, 2, -2}, {6, 2, 0}, {8, 2, 1}, {10, 2, 0}, {12, 4, -2}}};

std::vector<Section> Plan(float minimumSeconds) {
  const std::vector<Chord> intro = {kAm, kF, kC, kG};
  const std::vector<Chord> verse = {kAm, kF, kC, kG, kAm, kF, kDm, kE};
  const std::vector<Chord> chorus = {kF, kG, kAm, kC, kF, kG, kE, kE};
  const std::vector<Chord> breakdown = {kF, kC, kG, kAm, kF, kC, kDm, kE};
  const std::vector<Chord> bridge = {kDm, kAm, kF, kG, kDm, kAm, kE, kE};
  std::vector<Section> plan = {{Part::kIntro, intro},       {Part::kBuild, intro},
                               {Part::kVerse, verse},       {Part::kVerseFull, verse},
                               {Part::kChorus, chorus},     {Part::kBreak, breakdown},
                               {Part::kChorus, chorus},     {Part::kBridge, bridge},
                               {Part::kLastChorus, chorus}, {Part::kOutro, {kAm, kF, kG, kAm}}};
  // Longer requests repeat a verse and a chorus before the bridge.
  while (PlanSeconds(plan, kBar) < minimumSeconds) {
    plan.insert(plan.end() - 3, {{Part::kVerseFull, verse}, {Part::kChorus, chorus}});
  }
  return plan;
}

struct Themes {
  std::vector<MelodyNote> verse, verseAgain, chorus, bridge, counter, breakBells;
};

Themes Compose(const std::vector<Section>& plan) {
  Themes t;
  for (const Section& s : plan) {
    if (s.part == Part::kVerse && t.verse.empty()) {
      t.verse = DevelopTheme(kVerseMotif, s.chords, 9, 4, 14, 1201);
      t.verseAgain = DevelopTheme(kVerseMotif, s.chords, 9, 4, 14, 1202);
      t.counter = ComposePhrase(s.chords, 1211, 9, 16, 11, true);
    }
    if (s.part == Part::kChorus && t.chorus.empty()) {
      t.chorus = DevelopTheme(kChorusMotif, s.chords, 14, 8, 17, 1307);
    }
    if (s.part == Part::kBreak && t.breakBells.empty()) {
      t.breakBells = DevelopTheme(kVerseMotif, s.chords, 11, 7, 16, 1401);
    }
    if (s.part == Part::kBridge && t.bridge.empty()) {
      t.bridge = DevelopTheme(Inverted(kVerseMotif), s.chords, 11, 6, 15, 1503);
    }
  }
  return t;
}

void PlayPad(Bus& bus, const Section& s, float t0, float brightness, float level) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const float start = t0 + static_cast<float>(b) * kBar;
    for (int step : ChordSteps(chord, 2)) {
      PlaySynthPad(
          bus,
          Note{start, kBar * 0.96f, Pitch(kKey, step, chord), level, step % 2 == 0 ? -0.4f : 0.4f},
          brightness);
    }
  }
}

void PlayArpeggio(Bus& bus, const Section& s, float t0, int perBar, float level) {
  static const int kOrder[8] = {0, 1, 2, 3, 2, 1, 0, 1};
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const std::array<int, 3> tones = ChordSteps(chord, 7);
    const float start = t0 + static_cast<float>(b) * kBar;
    for (int k = 0; k < perBar; ++k) {
      const int idx = kOrder[k % 8];
      const int step = idx == 3 ? tones[0] + 7 : tones[idx];
      const float length = kBar / static_cast<float>(perBar);
      PlayPluck(
          bus, Note{start + static_cast<float>(k) * length, length * 0.8f, Pitch(kKey, step, chord),
                    (k % 4 == 0 ? 1.0f : 0.7f) * level, k % 2 == 0 ? 0.35f : -0.35f});
    }
  }
}

// Eighths on the root with the octave on the off-beats; the last eighth of a
// bar leads by a step into the next bar's root.
void PlayBassLine(Bus& bus, const Section& s, float t0, bool syncopated) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const Chord& next = b + 1 < s.chords.size() ? s.chords[b + 1] : chord;
    const int root = ChordSteps(chord, -7)[0];
    const int nextRoot = ChordSteps(next, -7)[0];
    const float start = t0 + static_cast<float>(b) * kBar;
    static const char kSyncopated[] = "x..x..x.x..x..x.";
    for (int k = 0; k < (syncopated ? 16 : 8); ++k) {
      if (syncopated && kSyncopated[k] == '.') continue;
      const float unit = syncopated ? kBeat * 0.25f : kBeat * 0.5f;
      const bool last = syncopated ? k == 14 : k == 7;
      int step = root;
      if (!syncopated && k % 2 == 1) step = root + 7;
      if (syncopated && (k == 6 || k == 11)) step = root + 7;
      if (last && nextRoot != root) step = nextRoot + (nextRoot > root ? -1 : 1);
      PlaySynthBass(
          bus, Note{start + static_cast<float>(k) * unit, syncopated ? kBeat * 0.6f : kBeat * 0.42f,
                    Pitch(kKey, step, chord), k % 4 == 0 ? 1.0f : 0.78f, 0.0f});
    }
  }
}

void PlayLongBass(Bus& bus, const Section& s, float t0, int perBar) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    for (int k = 0; k < perBar; ++k) {
      PlaySynthBass(bus, Note{t0 + (static_cast<float>(b) +
                                    static_cast<float>(k) / static_cast<float>(perBar)) *
                                       kBar,
                              kBar / static_cast<float>(perBar) * 0.9f,
                              Pitch(kKey, ChordSteps(chord, -7)[0], chord), 0.85f, 0.0f});
    }
  }
}

void PlayDrums(Bus& bus, const Section& s, float t0, const Groove& groove, float level) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    PlayGroove(bus, groove, t0 + static_cast<float>(b) * kBar, kBar, level);
  }
}

void PlaySection(Bus& bus, const Section& s, float t0, const Themes& themes, bool nextIsChorus) {
  const ThemeSetting at{kKey, &s.chords, t0, kBeat};
  const float end = t0 + static_cast<float>(s.chords.size()) * kBar;
  auto lead = [&bus](const Note& n) { PlaySynthLead(bus, n); };
  auto bell = [&bus](const Note& n) { PlayBell(bus, n); };
  switch (s.part) {
    case Part::kIntro:
      PlayPad(bus, s, t0, 0.75f, 1.2f);
      PlayArpeggio(bus, s, t0, 8, 1.0f);
      break;
    case Part::kBuild:
      PlayPad(bus, s, t0, 0.8f, 0.9f);
      PlayArpeggio(bus, s, t0, 8, 0.85f);
      PlayLongBass(bus, s, t0, 1);
      PlayDrums(bus, s, t0, kBuildGroove, 0.8f);
      PlayRiser(bus, end, kBar * 2.0f, 0.8f);
      break;
    case Part::kVerse:
    case Part::kVerseFull: {
      const bool full = s.part == Part::kVerseFull;
      PlayPad(bus, s, t0, 0.8f, 0.75f);
      PlayArpeggio(bus, s, t0, 8, 0.8f);
      PlayBassLine(bus, s, t0, false);
      PlayDrums(bus, s, t0, kVerseGroove, 0.9f);
      PlayCymbal(bus, t0, 0.6f, 1.6f);
      PlayTheme(full ? themes.verseAgain : themes.verse, at, 0.0f, 0.85f, 0.1f, 0.9f, lead);
      if (full) PlayTheme(themes.counter, at, 0.0f, 0.5f, -0.35f, 1.0f, bell);
      if (nextIsChorus) PlaySnareRoll(bus, end - 2.0f * kBeat, 2.0f * kBeat, 0.25f, 0.8f);
      break;
    }
    case Part::kChorus:
    case Part::kLastChorus: {
      const bool last = s.part == Part::kLastChorus;
      PlayPad(bus, s, t0, 1.2f, 0.85f);
      PlayArpeggio(bus, s, t0, 16, 0.75f);
      PlayBassLine(bus, s, t0, true);
      PlayDrums(bus, s, t0, kChorusGroove, 1.0f);
      PlayCymbal(bus, t0, 0.9f, 2.2f);
      PlayCymbal(bus, t0 + 4.0f * kBar, 0.6f, 1.6f);
      PlayTheme(themes.chorus, at, 0.0f, 0.95f, 0.1f, 0.92f, lead);
      // The lead doubled an octave down; bells an octave up in the last chorus.
      PlayTheme(themes.chorus, at, -12.0f, 0.45f, -0.3f, 0.92f, lead);
      if (last) PlayTheme(themes.chorus, at, 12.0f, 0.45f, 0.4f, 1.0f, bell);
      break;
    }
    case Part::kBreak:
      PlayPad(bus, s, t0, 0.7f, 1.0f);
      PlayLongBass(bus, s, t0, 1);
      PlayTheme(themes.breakBells, at, 0.0f, 0.8f, 0.2f, 1.0f, bell);
      for (std::size_t b = 4; b < s.chords.size(); ++b) {
        PlayGroove(bus, kBreakGroove, t0 + static_cast<float>(b) * kBar, kBar, 0.7f);
      }
      PlayArpeggio(bus, Section{s.part, {s.chords.end() - 2, s.chords.end()}}, end - 2.0f * kBar, 8,
                   0.6f);
      PlayRiser(bus, end, kBar * 2.0f, 1.0f);
      PlaySnareRoll(bus, end - kBar, kBar, 0.15f, 0.9f);
      break;
    case Part::kBridge:
      PlayPad(bus, s, t0, 0.9f, 0.9f);
      PlayArpeggio(bus, s, t0, 8, 0.7f);
      PlayLongBass(bus, s, t0, 2);
      PlayDrums(bus, s, t0, kBridgeGroove, 0.9f);
      PlayTheme(themes.bridge, at, 0.0f, 0.85f, -0.1f, 0.95f, lead);
      // Toms tumble down into the last chorus.
      for (int k = 0; k < 8; ++k) {
        PlayTom(bus, end - kBar + static_cast<float>(k) * kBeat * 0.5f,
                52.0f - 2.0f * static_cast<float>(k), 0.5f + 0.06f * static_cast<float>(k));
      }
      break;
    case Part::kOutro: {
      PlayPad(bus, s, t0, 0.7f, 0.9f);
      PlayLongBass(bus, s, t0, 1);
      const Section firstHalf{s.part, {s.chords.begin(), s.chords.begin() + 2}};
      PlayArpeggio(bus, firstHalf, t0, 8, 0.7f);
      PlayDrums(bus, firstHalf, t0, kVerseGroove, 0.7f);
      const std::vector<MelodyNote> close(
          themes.verse.begin(),
          themes.verse.begin() + std::min<std::size_t>(8, themes.verse.size()));
      PlayTheme(close, at, 0.0f, 0.6f, 0.2f, 1.0f, bell);
      // The last chord rings on.
      for (int step : ChordSteps(kAm, 2)) {
        PlaySynthPad(
            bus, Note{end, kBar, Pitch(kKey, step, kAm), 0.8f, step % 2 == 0 ? -0.3f : 0.3f}, 0.6f);
      }
      PlayCymbal(bus, end, 0.5f, 2.0f);
      break;
    }
  }
}

}  // namespace

StereoBuffer ComposeTonwerk(float minimumSeconds) {
  const std::vector<Section> plan = Plan(minimumSeconds);
  const float seconds = PlanSeconds(plan, kBar);
  // The closing chord: one more bar and its release.
  Bus bus(kMusicRate, seconds + kBar + 1.2f);
  const Themes themes = Compose(plan);
  float t0 = 0.0f;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const bool nextIsChorus = i + 1 < plan.size() && (plan[i + 1].part == Part::kChorus ||
                                                      plan[i + 1].part == Part::kLastChorus);
    PlaySection(bus, plan[i], t0, themes, nextIsChorus);
    t0 += static_cast<float>(plan[i].chords.size()) * kBar;
  }
  return bus.Finish(0.35f, kMusicPeak);
}

}  // namespace kb::assetgen
