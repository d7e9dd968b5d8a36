#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "harmony.h"
#include "menu_art.h"
#include "music.h"
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

float Rms(const std::vector<float>& s, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return static_cast<float>(
      std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, to - from))));
}

// Music plays all the way through: no silent stretch before the end, no
// clipping, and a longer request gives a longer piece.
TEST(AssetMusicTest, TracksSoundThroughoutAndGrowOnRequest) {
  for (int track = 0; track < 2; ++track) {
    SCOPED_TRACE(track);
    const StereoBuffer music = track == 0 ? ComposeTonwerk(40.0f) : ComposeFestorchester(40.0f);
    const std::size_t n = music.left.size();
    EXPECT_EQ(music.right.size(), n);
    EXPECT_GE(static_cast<float>(n) / static_cast<float>(music.sampleRate), 40.0f);
    float peak = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
      peak = std::max({peak, std::abs(music.left[i]), std::abs(music.right[i])});
    }
    EXPECT_LE(peak, 0.9f);
    EXPECT_GT(peak, 0.5f);
    // Every second but the closing ones carries sound.
    const std::size_t second = static_cast<std::size_t>(music.sampleRate);
    for (std::size_t at = 0; at + 4 * second < n; at += second) {
      EXPECT_GT(Rms(music.left, at, at + second), 0.01f) << "second " << at / second;
    }
    // Left and right differ: the instruments are spread.
    EXPECT_NE(music.left, music.right);
  }
  const StereoBuffer longer = ComposeTonwerk(90.0f);
  EXPECT_GE(static_cast<float>(longer.left.size()) / static_cast<float>(longer.sampleRate), 90.0f);
}

TEST(AssetSoundTest, EffectsStrikeAtOnceAndDieAway) {
  struct Effect {
    std::vector<float> (*compose)();
    float minSeconds;
  };
  for (const Effect& effect : {Effect{ComposeStoneBurst, 0.2f}, Effect{ComposeConnectorBlast, 0.8f},
                               Effect{ComposeMultiplierChime, 1.0f}}) {
    const std::vector<float> s = effect.compose();
    const std::size_t n = s.size();
    EXPECT_GE(static_cast<float>(n) / kEffectRate, effect.minSeconds);
    EXPECT_LT(static_cast<float>(n) / kEffectRate, 2.0f);
    const std::size_t tenth = n / 10;
    EXPECT_GT(Rms(s, 0, 2 * tenth), 0.02f);  // no silent lead-in
    EXPECT_LT(Rms(s, n - tenth, n), Rms(s, 0, 2 * tenth) / 4);
    EXPECT_LT(std::abs(s.back()), 0.01f);  // ends without a click
  }
  // The multiplier chimes before its blast: a clear tone comes first.
  const std::vector<float> chime = ComposeMultiplierChime();
  EXPECT_GT(Rms(chime, 0, kEffectRate / 5), 0.02f);
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

// Text pictures keep their letters clear of the edges: nothing is cut off.
TEST(AssetTextPictureTest, TextStaysInsideItsPicture) {
  const struct {
    const char32_t* text;
    int width, height;
  } entries[] = {{U"Spielen", 263, 106},
                 {U"Hilfe", 249, 88},
                 {U"1 Spieler gegen den Computer", 997, 87},
                 {U"Spielstärke des\nComputergegners", 793, 175},
                 {U"Explosionsringbreite", 800, 112}};
  for (const auto& e : entries) {
    for (bool highlighted : {false, true}) {
      const Image image = PaintMenuEntry(e.text, e.width, e.height, highlighted).ToKeyedImage();
      EXPECT_EQ(InkOnBorder(image), 0) << e.width << "x" << e.height << " " << highlighted;
    }
  }
  for (char32_t letter : {U'L', U'O', U'S', U'E', U'W', U'I', U'N'}) {
    const Image image = PaintResultLetter(letter, letter > U'S').ToKeyedImage();
    EXPECT_EQ(InkOnBorder(image), 0);
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
