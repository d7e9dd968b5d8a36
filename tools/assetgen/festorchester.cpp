// "Festorchester (Hollywood)": an orchestral piece in D minor. Timpani and
// horns open it, the theme marches twice, a lyrical middle part and a quiet
// interlude follow, the whole orchestra takes the theme once more and the
// finale closes in D major.

#include <array>

#include "melody.h"
#include "music.h"
#include "music_parts.h"

namespace kb::assetgen {
namespace {

enum class Part { kIntro, kTheme, kThemeFull, kLyrical, kInterlude, kTutti, kFinale, kClose };

struct Section {
  Part part;
  std::vector<Chord> chords;
};

const Key kKey{50};  // D minor
constexpr float kBeat = 60.0f / 96.0f;
constexpr float kBar = 4.0f * kBeat;

// Degrees of D minor: 0 Dm, 1 E dim, 2 F, 3 Gm, 4 A (major), 5 B flat, 6 C.
const Chord kDm{0}, kEdim{1}, kF{2}, kGm{3}, kA{4, true}, kBb{5}, kC{6};

// The horn call: a rising fifth, held, and a falling answer.
const Motif kHornMotif{
    {{0, 2, 0}, {2, 1, 0}, {3, 1, 2}, {4, 4, 4}, {8, 3, 5}, {11, 1, 4}, {12, 4, 2}}};
// The lyrical tune: long notes stepping down.
const Motif kSongMotif{{{0, 4, 4}, {4, 2, 3}, {6, 2, 2}, {8, 4, 1}, {12, 2, 2}, {14, 2, 0}}};

const Groove kMarch{"", "X..o..o.x.o.x.oo", "", "", ""};
const Groove kTuttiDrums{"x.......x.......", "X..o..o.x.o.x.oo", "", "", ""};

std::vector<Section> Plan(float minimumSeconds) {
  const std::vector<Chord> theme = {kDm, kBb, kF, kC, kDm, kBb, kGm, kA};
  const std::vector<Chord> lyrical = {kBb, kF, kC, kDm, kBb, kF, kGm, kA};
  std::vector<Section> plan = {{Part::kIntro, {kDm, kDm, kGm, kA}},
                               {Part::kTheme, theme},
                               {Part::kThemeFull, theme},
                               {Part::kLyrical, lyrical},
                               {Part::kInterlude, {kGm, kDm, kBb, kA, kGm, kDm, kEdim, kA}},
                               {Part::kTutti, theme},
                               {Part::kFinale, {kGm, kA, kDm, kBb, kGm, kA}},
                               {Part::kClose, {kDm, kDm}}};
  while (PlanSeconds(plan, kBar) < minimumSeconds) {
    plan.insert(plan.end() - 3, {{Part::kLyrical, lyrical}, {Part::kThemeFull, theme}});
  }
  return plan;
}

struct Themes {
  std::vector<MelodyNote> horn, hornAgain, song, flute, counter, finale;
};

Themes Compose(const std::vector<Section>& plan) {
  Themes t;
  for (const Section& s : plan) {
    if (s.part == Part::kTheme && t.horn.empty()) {
      t.horn = DevelopTheme(kHornMotif, s.chords, 7, 4, 14, 2203);
      t.hornAgain = DevelopTheme(kHornMotif, s.chords, 7, 4, 14, 2204);
      t.counter = ComposePhrase(s.chords, 2211, 9, 16, 11, true);
    }
    if (s.part == Part::kLyrical && t.song.empty()) {
      t.song = DevelopTheme(kSongMotif, s.chords, 11, 7, 16, 2311);
    }
    if (s.part == Part::kInterlude && t.flute.empty()) {
      t.flute = DevelopTheme(kHornMotif, s.chords, 14, 11, 19, 2417);
    }
    if (s.part == Part::kFinale && t.finale.empty()) {
      t.finale = DevelopTheme(kHornMotif, {s.chords.begin(), s.chords.begin() + 4}, 9, 5, 15, 2503);
    }
  }
  return t;
}

// Low strings on the root and fifth, the upper strings on the triad.
void PlayStringChords(Bus& bus, const Section& s, float t0, float level) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const float start = t0 + static_cast<float>(b) * kBar;
    const int root = ChordSteps(chord, -7)[0];
    PlayStrings(bus, Note{start, kBar * 0.97f, Pitch(kKey, root, chord), 0.9f * level, -0.3f},
                false);
    PlayStrings(bus, Note{start, kBar * 0.97f, Pitch(kKey, root + 4, chord), 0.7f * level, -0.1f},
                false);
    for (int step : ChordSteps(chord, 2)) {
      PlayStrings(bus, Note{start, kBar * 0.97f, Pitch(kKey, step, chord), 0.55f * level, 0.25f},
                  false);
    }
  }
}

// The ostinato that drives the theme: root, fifth and octave in eighths.
void PlayOstinato(Bus& bus, const Section& s, float t0, float level) {
  static const int kPattern[8] = {0, 0, 4, 0, 7, 0, 4, 0};
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const int root = ChordSteps(chord, -7)[0];
    const float start = t0 + static_cast<float>(b) * kBar;
    for (int k = 0; k < 8; ++k) {
      PlayStrings(bus,
                  Note{start + static_cast<float>(k) * kBeat * 0.5f, kBeat * 0.3f,
                       Pitch(kKey, root + 7 + kPattern[k], chord),
                       (k % 2 == 0 ? 1.0f : 0.7f) * level, 0.35f},
                  true);
    }
  }
}

void PlayPizzicatoArpeggio(Bus& bus, const Section& s, float t0, float level) {
  static const int kOrder[8] = {0, 1, 2, 1, 3, 1, 2, 1};
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const std::array<int, 3> tones = ChordSteps(chord, 0);
    const float start = t0 + static_cast<float>(b) * kBar;
    for (int k = 0; k < 8; ++k) {
      const int idx = kOrder[k];
      const int step = idx == 3 ? tones[0] + 7 : tones[idx];
      PlayPizzicato(bus, Note{start + static_cast<float>(k) * kBeat * 0.5f, kBeat * 0.4f,
                              Pitch(kKey, step, chord), (k % 4 == 0 ? 1.0f : 0.75f) * level,
                              k % 2 == 0 ? -0.3f : 0.3f});
    }
  }
}

void PlayTimpaniBeats(Bus& bus, const Section& s, float t0, float level) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const float start = t0 + static_cast<float>(b) * kBar;
    const int root = ChordSteps(chord, -7)[0];
    PlayTimpani(bus, Note{start, 0.3f, Pitch(kKey, root, chord), 0.9f * level, 0.0f});
    PlayTimpani(bus,
                Note{start + 2.0f * kBeat, 0.3f, Pitch(kKey, root + 4, chord), 0.6f * level, 0.0f});
  }
}

void PlayTimpaniRoll(Bus& bus, float start, float length, float pitch, float from, float to) {
  const int hits = static_cast<int>(length / 0.09f);
  for (int k = 0; k < hits; ++k) {
    const float x = static_cast<float>(k) / static_cast<float>(hits);
    PlayTimpani(bus, Note{start + length * x, 0.2f, pitch, from + (to - from) * x, 0.0f});
  }
}

void PlayChoirChords(Bus& bus, const Section& s, float t0, float level) {
  for (std::size_t b = 0; b < s.chords.size(); ++b) {
    const Chord& chord = s.chords[b];
    const std::array<int, 3> tones = ChordSteps(chord, 7);
    const float start = t0 + static_cast<float>(b) * kBar;
    PlayChoir(bus, Note{start, kBar, Pitch(kKey, tones[0], chord), 0.7f * level, -0.2f});
    PlayChoir(bus, Note{start, kBar, Pitch(kKey, tones[1], chord), 0.6f * level, 0.2f});
  }
}

void PlaySection(Bus& bus, const Section& s, float t0, const Themes& themes) {
  const ThemeSetting at{kKey, &s.chords, t0, kBeat};
  const float end = t0 + static_cast<float>(s.chords.size()) * kBar;
  auto brass = [&bus](const Note& n) { PlayBrass(bus, n); };
  auto strings = [&bus](const Note& n) { PlayStrings(bus, n, false); };
  auto bell = [&bus](const Note& n) { PlayBell(bus, n); };
  auto flute = [&bus](const Note& n) { PlayFlute(bus, n); };
  switch (s.part) {
    case Part::kIntro: {
      PlayStringChords(bus, s, t0, 0.8f);
      // A roll under the horn call's first notes, then the choir leads on.
      PlayTimpaniRoll(bus, t0, 2.0f * kBar, Pitch(kKey, -7, kDm), 0.3f, 0.8f);
      const std::vector<MelodyNote> call(themes.horn.begin(), themes.horn.begin() + 4);
      PlayTheme(call, at, 0.0f, 0.8f, 0.05f, 0.92f, brass);
      PlayChoirChords(bus, Section{s.part, {s.chords.begin() + 2, s.chords.end()}},
                      t0 + 2.0f * kBar, 0.8f);
      PlayTimpaniRoll(bus, end - kBar, kBar, Pitch(kKey, -3, kA), 0.4f, 0.9f);
      break;
    }
    case Part::kTheme:
    case Part::kThemeFull: {
      const bool full = s.part == Part::kThemeFull;
      PlayStringChords(bus, s, t0, 0.9f);
      PlayOstinato(bus, s, t0, 1.0f);
      PlayTimpaniBeats(bus, s, t0, 1.0f);
      PlayTheme(full ? themes.hornAgain : themes.horn, at, 0.0f, 0.95f, 0.05f, 0.92f, brass);
      if (full) {
        PlayTheme(themes.hornAgain, at, 12.0f, 0.5f, -0.25f, 0.95f, strings);
        PlayChoirChords(bus, s, t0, 0.8f);
        for (std::size_t b = 0; b < s.chords.size(); ++b) {
          PlayGroove(bus, kMarch, t0 + static_cast<float>(b) * kBar, kBar, 0.55f);
        }
        PlayCymbal(bus, t0, 0.9f, 2.5f);
      }
      break;
    }
    case Part::kLyrical:
      PlayStringChords(bus, s, t0, 0.8f);
      PlayPizzicatoArpeggio(bus, s, t0, 0.9f);
      PlayTheme(themes.song, at, 0.0f, 0.85f, -0.15f, 0.97f, strings);
      PlayTheme(themes.song, at, -12.0f, 0.5f, 0.2f, 0.97f, strings);
      // The horns answer each phrase with the chord of its second bar.
      for (std::size_t b = 1; b < s.chords.size(); b += 2) {
        for (int step : ChordSteps(s.chords[b], 4)) {
          PlayBrass(bus, Note{t0 + static_cast<float>(b) * kBar + 2.0f * kBeat, 2.0f * kBeat * 0.9f,
                              Pitch(kKey, step, s.chords[b]), 0.5f, 0.1f});
        }
      }
      PlayTimpaniBeats(bus, s, t0, 0.6f);
      break;
    case Part::kInterlude:
      PlayPizzicatoArpeggio(bus, s, t0, 0.8f);
      PlayChoirChords(bus, s, t0, 0.6f);
      PlayTheme(themes.flute, at, 0.0f, 0.9f, 0.15f, 0.95f, flute);
      PlayTheme(themes.counter, at, 0.0f, 0.45f, -0.3f, 1.0f, bell);
      PlayTimpaniRoll(bus, end - kBar, kBar, Pitch(kKey, -3, kA), 0.2f, 1.0f);
      PlaySnareRoll(bus, end - kBar, kBar, 0.1f, 0.6f);
      break;
    case Part::kTutti:
      PlayStringChords(bus, s, t0, 1.0f);
      PlayOstinato(bus, s, t0, 1.0f);
      PlayTimpaniBeats(bus, s, t0, 1.0f);
      PlayChoirChords(bus, s, t0, 1.0f);
      PlayTheme(themes.horn, at, 0.0f, 1.0f, 0.05f, 0.92f, brass);
      PlayTheme(themes.horn, at, 12.0f, 0.55f, -0.25f, 0.95f, strings);
      PlayTheme(themes.horn, at, 24.0f, 0.3f, 0.3f, 1.0f, bell);
      for (std::size_t b = 0; b < s.chords.size(); ++b) {
        PlayGroove(bus, kTuttiDrums, t0 + static_cast<float>(b) * kBar, kBar, 0.6f);
      }
      PlayCymbal(bus, t0, 1.0f, 2.5f);
      PlayCymbal(bus, t0 + 4.0f * kBar, 0.7f, 2.0f);
      break;
    case Part::kFinale: {
      PlayStringChords(bus, s, t0, 1.0f);
      PlayOstinato(bus, s, t0, 0.9f);
      PlayTimpaniBeats(bus, s, t0, 1.0f);
      PlayChoirChords(bus, s, t0, 0.9f);
      const std::vector<Chord> firstFour(s.chords.begin(), s.chords.begin() + 4);
      const ThemeSetting finaleAt{kKey, &firstFour, t0, kBeat};
      PlayTheme(themes.finale, finaleAt, 0.0f, 1.0f, 0.05f, 0.92f, brass);
      // The last two bars climb in broad chords to the close.
      for (std::size_t b = 4; b < s.chords.size(); ++b) {
        for (int step : ChordSteps(s.chords[b], 7)) {
          PlayBrass(bus, Note{t0 + static_cast<float>(b) * kBar, kBar * 0.95f,
                              Pitch(kKey, step, s.chords[b]), 0.85f, 0.05f});
        }
      }
      PlayTimpaniRoll(bus, end - kBar, kBar, Pitch(kKey, -3, kA), 0.4f, 1.0f);
      break;
    }
    case Part::kClose: {
      // D major: the third raised for a festive end.
      const float d = Pitch(kKey, 0, kDm);
      const float chord[4] = {d - 12.0f, d, d + 4.0f, d + 7.0f};
      const float held = 2.0f * kBar * 0.95f;
      for (float p : chord) {
        PlayStrings(bus, Note{t0, held, p, 0.8f, -0.1f}, false);
        PlayBrass(bus, Note{t0, held, p + 12.0f, 0.75f, 0.1f});
      }
      PlayChoir(bus, Note{t0, held, d + 16.0f, 0.8f, 0.0f});
      PlayChoir(bus, Note{t0, held, d + 12.0f, 0.7f, 0.0f});
      PlayTimpani(bus, Note{t0, 0.5f, d - 12.0f, 1.0f, 0.0f});
      PlayTimpaniRoll(bus, t0 + kBeat, kBar, d - 12.0f, 0.5f, 0.2f);
      PlayCymbal(bus, t0, 1.0f, 3.5f);
      break;
    }
  }
}

}  // namespace

StereoBuffer ComposeFestorchester(float minimumSeconds) {
  const std::vector<Section> plan = Plan(minimumSeconds);
  Bus bus(kMusicRate, PlanSeconds(plan, kBar) + 1.5f);
  const Themes themes = Compose(plan);
  float t0 = 0.0f;
  for (const Section& s : plan) {
    PlaySection(bus, s, t0, themes);
    t0 += static_cast<float>(s.chords.size()) * kBar;
  }
  return bus.Finish(0.5f, kMusicPeak);
}

}  // namespace kb::assetgen
