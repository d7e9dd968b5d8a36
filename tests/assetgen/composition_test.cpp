#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "catalogue.h"
#include "harmony.h"
#include "instruments.h"
#include "melody.h"
#include "menu_art.h"
#include "menu_entries.h"
#include "music.h"
#include "music_parts.h"
#include "small_art.h"
#include "sound_effects.h"

namespace kb::assetgen {
namespace {

TEST(AssetHarmonyTest, ScaleStepsInAMinor) {
  const Key a{57};
  const Chord tonic{0};
  const Chord dominant{4, true};
  EXPECT_EQ(StepToNote(a, 0, tonic), 57);     // A
  EXPECT_EQ(StepToNote(a, 2, tonic), 60);     // C
  EXPECT_EQ(StepToNote(a, 7, tonic), 69);     // A an octave up
  EXPECT_EQ(StepToNote(a, -1, tonic), 55);    // G below
  EXPECT_EQ(StepToNote(a, 6, tonic), 67);     // G
  EXPECT_EQ(StepToNote(a, 6, dominant), 68);  // G sharp over E major
  EXPECT_EQ(StepToNote(a, -8, dominant), 44);
  const std::array<int, 3> e = ChordSteps(dominant, 2);
  EXPECT_EQ(e, (std::array<int, 3>{4, 6, 8}));
  EXPECT_TRUE(IsChordTone(dominant, 11));
  EXPECT_FALSE(IsChordTone(dominant, 5));
}

// A tune fills its bars one note after the other, rests on chord tones at
// the start of each half bar and ends on a long chord tone.
TEST(AssetHarmonyTest, PhrasesFollowTheirChords) {
  const std::vector<Chord> chords = {Chord{0}, Chord{5}, Chord{2},       Chord{6},
                                     Chord{3}, Chord{0}, Chord{4, true}, Chord{0}};
  for (bool slow : {false, true}) {
    for (uint32_t seed : {1u, 77u, 1201u, 2417u}) {
      SCOPED_TRACE(std::to_string(seed) + (slow ? " slow" : " lively"));
      const std::vector<MelodyNote> tune = ComposePhrase(chords, seed, 4, 14, 9, slow);
      ASSERT_FALSE(tune.empty());
      EXPECT_EQ(tune.front().beat, 0.0f);
      float end = 0.0f;
      for (const MelodyNote& n : tune) {
        EXPECT_GE(n.beat, end);  // no overlaps
        end = n.beat + n.beats;
        EXPECT_GE(n.step, 4);
        EXPECT_LE(n.step, 14);
        const float inBar = std::fmod(n.beat, 4.0f);
        const Chord& chord = chords[static_cast<std::size_t>(n.beat / 4.0f)];
        if (inBar == 0.0f || inBar == 2.0f) {
          EXPECT_TRUE(IsChordTone(chord, n.step)) << n.beat;
        }
      }
      EXPECT_EQ(end, 32.0f);
      EXPECT_GE(tune.back().beats, 2.0f);
      EXPECT_TRUE(IsChordTone(chords.back(), tune.back().step));
      const std::vector<MelodyNote> again = ComposePhrase(chords, seed, 4, 14, 9, slow);
      ASSERT_EQ(again.size(), tune.size());
      for (std::size_t i = 0; i < tune.size(); ++i) EXPECT_EQ(again[i].step, tune[i].step);
    }
  }
}

// A theme keeps its motif's shape: the statements repeat the motif's rhythm
// and contour, strong beats sit on chord tones, the range holds and the
// theme closes on a long chord tone of its last chord.
TEST(AssetMelodyTest, ThemesDevelopTheirMotif) {
  const Motif motif{
      {{0, 2, 0}, {2, 1, 1}, {3, 1, 2}, {4, 2, 4}, {6, 2, 2}, {8, 3, 1}, {11, 1, 0}, {12, 4, -1}}};
  const std::vector<Chord> chords = {Chord{0}, Chord{5}, Chord{2}, Chord{6},
                                     Chord{0}, Chord{5}, Chord{3}, Chord{4, true}};
  for (uint32_t seed : {1u, 1201u, 2203u}) {
    SCOPED_TRACE(seed);
    const std::vector<MelodyNote> theme = DevelopTheme(motif, chords, 9, 4, 14, seed);
    ASSERT_GE(theme.size(), motif.tones.size());
    for (std::size_t i = 0; i < motif.tones.size(); ++i) {
      EXPECT_EQ(theme[i].beat, static_cast<float>(motif.tones[i].start) * 0.5f);
      EXPECT_EQ(theme[i].beats, static_cast<float>(motif.tones[i].length) * 0.5f);
    }
    // The first two bars rise where the motif rises and fall where it falls.
    for (std::size_t i = 1; i < motif.tones.size(); ++i) {
      const int written = motif.tones[i].step - motif.tones[i - 1].step;
      const int sung = theme[i].step - theme[i - 1].step;
      EXPECT_EQ((written > 0) - (written < 0), (sung > 0) - (sung < 0)) << "note " << i;
    }
    float end = 0.0f;
    for (const MelodyNote& n : theme) {
      EXPECT_GE(n.beat, end);
      end = n.beat + n.beats;
      EXPECT_GE(n.step, 4);
      EXPECT_LE(n.step, 14);
      const Chord& chord = chords[static_cast<std::size_t>(n.beat / 4.0f)];
      if (std::fmod(n.beat, 2.0f) == 0.0f && n.beat < 28.0f) {
        EXPECT_TRUE(IsChordTone(chord, n.step)) << "beat " << n.beat;
      }
    }
    EXPECT_EQ(end, 32.0f);
    EXPECT_GE(theme.back().beats, 2.0f);
    EXPECT_TRUE(IsChordTone(chords.back(), theme.back().step));
    EXPECT_EQ(DevelopTheme(motif, chords, 9, 4, 14, seed).size(), theme.size());
  }
  const Motif down = Inverted(motif);
  EXPECT_EQ(down.tones[3].step, -4);
}

float Rms(const std::vector<float>& s, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return static_cast<float>(
      std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, to - from))));
}

// The game plays the tracks in turn: each must start at once, sound all the
// way through and end on a chord that dies away, never clip, and stretch
// when a longer piece is asked for.
TEST(AssetMusicTest, TracksSoundThroughoutAndGrowOnRequest) {
  for (int track = 0; track < 2; ++track) {
    SCOPED_TRACE(track);
    const StereoBuffer music = track == 0 ? ComposeTonwerk(kMusicMinimumSeconds)
                                          : ComposeFestorchester(kMusicMinimumSeconds);
    const std::size_t n = music.left.size();
    const std::size_t second = static_cast<std::size_t>(music.sampleRate);
    EXPECT_EQ(music.right.size(), n);
    EXPECT_GE(n / second, static_cast<std::size_t>(kMusicMinimumSeconds));
    EXPECT_LE(n / second, static_cast<std::size_t>(kMusicMinimumSeconds) + 30);
    float peak = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
      peak = std::max({peak, std::abs(music.left[i]), std::abs(music.right[i])});
    }
    EXPECT_LE(peak, kMusicPeak + 1e-3f);
    EXPECT_GT(peak, kMusicPeak * 0.9f);
    EXPECT_GT(Rms(music.left, second / 20, second / 2), 0.01f);  // no silent lead-in
    // Every half second carries sound up to the closing chord's release.
    for (std::size_t at = 0; at + 2 * second < n; at += second / 2) {
      EXPECT_GT(Rms(music.left, at, at + second / 2), 0.008f) << "at " << at / second << " s";
    }
    EXPECT_LT(Rms(music.left, n - second / 10, n), 0.01f);  // and it fades out
    EXPECT_NE(music.left, music.right);                     // the instruments are spread
  }
  const StereoBuffer longer = ComposeFestorchester(200.0f);
  EXPECT_GE(static_cast<float>(longer.left.size()) / static_cast<float>(longer.sampleRate), 200.0f);
}

// A note that sounds again is mixed from the cache: the same samples at
// its new time; a note that differs in anything the voice hears is not.
TEST(AssetMusicTest, RepeatedNotesSoundTheSameAndOthersDiffer) {
  Bus bus(8000, 4.0f);
  PlayPluck(bus, Note{0.5f, 0.2f, 69.0f, 0.8f, 0.0f});
  PlayPluck(bus, Note{1.5f, 0.2f, 69.0f, 0.8f, 0.0f});
  PlayPluck(bus, Note{2.5f, 0.2f, 69.0f, 0.4f, 0.0f});  // softer
  PlayPluck(bus, Note{3.5f, 0.2f, 71.0f, 0.8f, 0.0f});  // higher
  const StereoBuffer out = bus.Finish(0.0f, 0.4f);
  const std::size_t n = 8000 * 4 / 10;
  auto at = [&](float seconds, std::size_t k) {
    return out.left[static_cast<std::size_t>(seconds * 8000.0f) + k];
  };
  float first = 0.0f, difference = 0.0f, softer = 0.0f, higher = 0.0f;
  for (std::size_t k = 0; k < n; ++k) {
    first += std::abs(at(0.5f, k));
    difference += std::abs(at(0.5f, k) - at(1.5f, k));
    softer += std::abs(at(2.5f, k));
    higher += std::abs(at(0.5f, k) - at(3.5f, k));
  }
  EXPECT_GT(first, 1.0f);
  EXPECT_LT(difference, first * 1e-4f);
  EXPECT_NEAR(softer / first, 0.5f, 0.05f);
  EXPECT_GT(higher, first * 0.5f);
}

// Drum steps land on sixteenths of the bar and nowhere else.
TEST(AssetMusicTest, GroovesStrikeOnTheirSteps) {
  Bus bus(8000, 2.5f);
  PlayGroove(bus, Groove{"", "", "", "x.......X.......", ""}, 0.0f, 2.0f, 1.0f);
  const StereoBuffer out = bus.Finish(0.0f, 0.5f);
  auto energy = [&](float from, float to) {
    return Rms(out.left, static_cast<std::size_t>(from * 8000.0f),
               static_cast<std::size_t>(to * 8000.0f));
  };
  EXPECT_GT(energy(0.0f, 0.05f), 0.01f);                // step 0
  EXPECT_LT(energy(0.2f, 0.95f), 1e-4f);                // nothing between
  EXPECT_GT(energy(1.0f, 1.05f), energy(0.0f, 0.05f));  // step 8, accented
  EXPECT_LT(energy(1.3f, 2.4f), 1e-4f);
}

// Fifteen copies of a blast start at the same instant and add up; so do the
// bursts of the stones of one group.
TEST(AssetSoundTest, EffectsStrikeAtOnceAndLeaveRoomForTheirStacks) {
  struct Effect {
    std::vector<float> (*compose)();
    float minSeconds;
    int stacked;
  };
  for (const Effect& effect :
       {Effect{ComposeStoneBurst, 0.25f, 4}, Effect{ComposeConnectorBlast, 0.9f, 15},
        Effect{ComposeMultiplierChime, 1.0f, 15}}) {
    const std::vector<float> s = effect.compose();
    const std::size_t n = s.size();
    EXPECT_GE(static_cast<float>(n) / kEffectRate, effect.minSeconds);
    EXPECT_LT(static_cast<float>(n) / kEffectRate, 2.0f);
    float peak = 0.0f;
    for (float v : s) peak = std::max(peak, std::abs(v));
    EXPECT_LT(peak * static_cast<float>(effect.stacked), 0.97f);
    EXPECT_GT(peak * static_cast<float>(effect.stacked), 0.8f);
    const std::size_t tenth = n / 10;
    EXPECT_GT(Rms(s, 0, 2 * tenth), peak * 0.08f);  // no silent lead-in
    EXPECT_LT(Rms(s, n - tenth, n), Rms(s, 0, 2 * tenth) / 4);
    EXPECT_LT(std::abs(s.back()), 0.002f);  // ends without a click
  }
  // A single stone still carries over the music: its crack is not a lone
  // spike but has body.
  const std::vector<float> burst = ComposeStoneBurst();
  EXPECT_GT(Rms(burst, 0, kEffectRate / 12), kStoneBurstPeak / 4);
  // The multiplier chimes before its blast: a clear tone comes first.
  const std::vector<float> chime = ComposeMultiplierChime();
  EXPECT_GT(Rms(chime, 0, kEffectRate / 5), kSpecialBlastPeak * 0.1f);
}

int InkOnBorder(const Image& image) {
  int n = 0;
  for (int x = 0; x < image.width; ++x) {
    n += image.At(x, 0) != 0xFF000000u;
    n += image.At(x, image.height - 1) != 0xFF000000u;
  }
  for (int y = 0; y < image.height; ++y) {
    n += image.At(0, y) != 0xFF000000u;
    n += image.At(image.width - 1, y) != 0xFF000000u;
  }
  return n;
}

// Menu pictures keep their letters clear of the edges (nothing is cut off),
// share one readable text size per menu, stand centred under the screen's
// middle and show the highlight plainly.
TEST(AssetTextPictureTest, MenuEntriesReadAlikeAndStayInsideTheirPictures) {
  for (const std::vector<MenuEntry>& menu : Menus()) {
    const int size = MenuTextSize(menu);
    EXPECT_GE(size, 34) << menu.front().name;
    for (const MenuEntry& entry : menu) {
      SCOPED_TRACE(entry.name);
      const Image normal = PaintMenuEntry(entry, size, false).ToKeyedImage();
      const Image lit = PaintMenuEntry(entry, size, true).ToKeyedImage();
      ASSERT_EQ(normal.width, entry.width);
      ASSERT_EQ(normal.height, entry.height);
      EXPECT_EQ(InkOnBorder(normal), 0);
      EXPECT_EQ(InkOnBorder(lit), 0);
      int left = normal.width, right = -1, changed = 0;
      for (int y = 0; y < normal.height; ++y) {
        for (int x = 0; x < normal.width; ++x) {
          if (normal.At(x, y) != 0xFF000000u) {
            left = std::min(left, x);
            right = std::max(right, x);
          }
          changed += normal.At(x, y) != lit.At(x, y) ? 1 : 0;
        }
      }
      EXPECT_NEAR(entry.x + (left + right) / 2, 512, 4);
      EXPECT_GT(changed, normal.width * normal.height / 8);
    }
  }
}

TEST(AssetTextPictureTest, LettersAndButtonsStayInsideTheirPictures) {
  // LOSE and WIN fall side by side: every letter stands as tall as the E.
  auto inkHeight = [](const Image& image) {
    int top = image.height, bottom = -1;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.At(x, y) == 0xFF000000u) continue;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    return bottom - top + 1;
  };
  const int tall = inkHeight(PaintResultLetter(U'E', false).ToKeyedImage());
  EXPECT_GT(tall, 80);
  for (char32_t letter : {U'L', U'O', U'S', U'E', U'W', U'I', U'N'}) {
    const Image image = PaintResultLetter(letter, letter > U'S').ToKeyedImage();
    EXPECT_EQ(InkOnBorder(image), 0);
    EXPECT_NEAR(inkHeight(image), tall, 3) << static_cast<char>(letter);
  }
  const Image button =
      PaintButton(U"Steintausch", U"nicht aktiv", ButtonColour::kGrey).ToKeyedImage();
  EXPECT_EQ(button.At(0, 0), 0xFF000000u);    // rounded corner
  EXPECT_NE(button.At(48, 24), 0xFF000000u);  // the face
}

TEST(AssetTextPictureTest, PointerTipIsItsTopLeftPixel) {
  const Image pointer = PaintPointer().ToKeyedImage();
  ASSERT_EQ(pointer.width, 12);
  ASSERT_EQ(pointer.height, 24);
  EXPECT_NE(pointer.At(0, 0), 0xFF000000u);
  EXPECT_EQ(pointer.At(11, 0), 0xFF000000u);
  EXPECT_EQ(pointer.At(0, 23), 0xFF000000u);
}

}  // namespace
}  // namespace kb::assetgen
