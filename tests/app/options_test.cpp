#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "core/cp1252.h"
#include "fake_game.h"
#include "frame_text.h"
#include "screens/value_screen.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF0000FFu;

int32_t RowY(int32_t row) {
  return kValueRowTop + kValueRowPitch * row;
}

Bytes FileBytes(std::initializer_list<int32_t> values) {
  Bytes bytes;
  for (int32_t v : values) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  }
  return bytes;
}

// One scripted step per presented frame, in order; a step can wait until its
// condition holds.
struct OptionsFixture : ::testing::Test {
  struct Step {
    std::function<bool()> ready;
    std::function<void()> action;
  };

  OptionsFixture() : script(g) {
    script.EveryFrame([this](uint64_t) {
      if (steps.empty() || (steps.front().ready && !steps.front().ready())) return;
      const std::function<void()> action = std::move(steps.front().action);
      steps.pop_front();
      action();
    });
  }
  void Then(std::function<void()> action) { steps.push_back({nullptr, std::move(action)}); }
  // On the first frame of the n-th visit of a screen.
  void OnVisit(const char* screen, int n, std::function<void()> action) {
    steps.push_back({[this, screen, n] { return g.Count(screen) == n; }, std::move(action)});
  }
  void Press(uint8_t code) {
    Then([this, code] { script.Key(code); });
  }
  void ClickAt(int x, int y) {
    Then([this, x, y] {
      script.MoveTo(x, y);
      script.Click();
    });
  }
  void RightClick() {
    Then([this] { g.fake.ClickAt(g.Now() + 50, false, 100); });
  }
  const Bytes* Written() { return g.files.memory().Find("Optionen.bin"); }

  test::FakeGame g;
  test::FrameScript script;
  std::deque<Step> steps;
};

TEST_F(OptionsFixture, LeavingAtOnceRewritesTheFileWithTheValuesAsStored) {
  // Values outside their ranges go back unchanged.
  g.PutOptions(48, 7, -5, 99, 3);
  g.game.options = OptionValues{1, 2, 3, 4, 5};
  Press(key::kEscape);
  g.game.RunOptionsMenu();
  ASSERT_NE(Written(), nullptr);
  EXPECT_EQ(*Written(), FileBytes({48, 7, -5, 99, 3}));
  EXPECT_EQ(g.screens, (Screens{"options"}));
}

TEST_F(OptionsFixture, AMissingOrShortFileKeepsWhatItDoesNotReachButParticlesAndStrengthStartAt0) {
  g.game.options = OptionValues{64, 8, 3, 2, 1};
  Press(key::kEscape);
  g.game.RunOptionsMenu();  // no file yet
  ASSERT_NE(Written(), nullptr);
  EXPECT_EQ(*Written(), FileBytes({0, 8, 0, 2, 1}));

  g.game.options = OptionValues{64, 8, 3, 2, 1};
  g.files.memory().Put("Optionen.bin", {16, 0, 0, 0, 12, 0, 0});  // 7 bytes: one whole value
  Press(key::kEscape);
  g.game.RunOptionsMenu();
  EXPECT_EQ(*Written(), FileBytes({16, 8, 0, 2, 1}));
}

TEST_F(OptionsFixture, AFileThatCannotBeWrittenIsReportedOnceAndTheGameGoesOn) {
  g.files.memory().FailWrites(true);
  testing::internal::CaptureStderr();
  for (int visit = 0; visit < 2; ++visit) {
    Press(key::kEscape);
    g.game.RunOptionsMenu();
  }
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(g.Count("options"), 2);
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_NE(told.find("Optionen.bin"), std::string::npos);
  ASSERT_EQ(g.fake.Messages().size(), 1u);
  EXPECT_NE(g.fake.Messages()[0].text.find("Optionen.bin"), std::string::npos);
}

TEST_F(OptionsFixture, TheMenuOpensEachValueScreenAndItsChoiceReachesTheFile) {
  g.PutOptions(0, 0, 0, 0, 0);
  Press(key::kDown);
  Press(key::kDown);    // "Spielstärke"
  Press(key::kReturn);  // RETURN starts an entry; it does not leave the menu
  OnVisit("strength", 1, [this] { script.Key(key::kDown); });
  Press(key::kDown);
  Press(key::kDown);
  Press(key::kReturn);
  Then([] {});  // the value screen's last frame
  Then([] {});  // the rest of the menu's frame
  // y 490 highlights "Grafiksets", a second click there opens it.
  ClickAt(300, 490);
  ClickAt(300, 490);
  OnVisit("graphic set", 1, [this] { script.Key(key::kEscape); });
  Then([] {});
  Then([] {});
  ClickAt(300, 668);  // in no band: starts the highlighted entry again
  OnVisit("graphic set", 2, [this] { script.Key(key::kEscape); });
  Then([] {});
  Then([] {});
  RightClick();
  g.game.RunOptionsMenu();
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(g.screens, (Screens{"options", "strength", "graphic set", "graphic set"}));
  EXPECT_EQ(*Written(), FileBytes({0, 0, 3, 0, 0}));
}

TEST_F(OptionsFixture, EscapeAndTheRightButtonKeepTheOptionReturnStoresIt) {
  g.game.options.AiStrength = 4;
  Press(key::kDown);
  Press(key::kEscape);
  g.game.EditAiStrength();
  EXPECT_EQ(g.game.options.AiStrength, 4);

  Press(key::kDown);
  RightClick();
  g.game.EditAiStrength();
  EXPECT_EQ(g.game.options.AiStrength, 4);

  Press(key::kUp);
  Then([this] { EXPECT_TRUE(test::ShowsText(g, " 4", kValueRowX, RowY(3), kBlue)); });
  Press(key::kReturn);
  g.game.EditAiStrength();
  EXPECT_EQ(g.game.options.AiStrength, 3);
  EXPECT_TRUE(steps.empty());
}

TEST_F(OptionsFixture, ParticlesOpenOnTheirRowOrOnAusAndStoreTheRowsNumber) {
  g.game.options.ParticlesPerStone = 48;  // no row shows 48
  Then([this] {
    EXPECT_TRUE(test::ShowsText(g, "Partikeleffekte", 462, 244, 0xFFFF0000u));
    EXPECT_TRUE(test::ShowsText(g, "AUS", kValueRowX + 10, RowY(0), kBlue));
    EXPECT_TRUE(test::ShowsText(g, "4096", kValueRowX, RowY(9), kWhite));
  });
  Press(key::kReturn);
  g.game.EditParticles();
  EXPECT_EQ(g.game.options.ParticlesPerStone, 0);

  // A click on a row picks it and leaves the screen open; RETURN stores.
  ClickAt(500, RowY(2) + 1);
  Then([this] { EXPECT_TRUE(test::ShowsText(g, "32", kValueRowX + 20, RowY(2), kBlue)); });
  Press(key::kReturn);
  g.game.EditParticles();
  EXPECT_EQ(g.game.options.ParticlesPerStone, 32);

  Then([this] {
    EXPECT_TRUE(test::ShowsText(g, "32", kValueRowX + 20, RowY(2), kBlue));
    EXPECT_TRUE(test::ShowsText(g, "AUS", kValueRowX + 10, RowY(0), kWhite));
  });
  Press(key::kEscape);
  g.game.EditParticles();
  EXPECT_EQ(g.game.options.ParticlesPerStone, 32);
  EXPECT_TRUE(steps.empty());
}

TEST_F(OptionsFixture, ValuesStopAtBothEndsAndAValueBetweenRowsKeepsItsRemainder) {
  g.game.options.GraphicSet = 0;
  Then([this] { EXPECT_TRUE(test::ShowsText(g, "Buildings", kValueRowX, RowY(3), kWhite)); });
  Press(key::kUp);
  Press(key::kReturn);
  g.game.EditGraphicSet();
  EXPECT_EQ(g.game.options.GraphicSet, 0);

  // A set of 99 from the file lights no row and steps down from where it is.
  g.game.options.GraphicSet = 99;
  Then([this] {
    for (int k = 0; k < 6; ++k)
      EXPECT_FALSE(test::ShowsText(g, "Classic", kValueRowX, RowY(k), kBlue));
  });
  Press(key::kUp);
  Press(key::kReturn);
  g.game.EditGraphicSet();
  EXPECT_EQ(g.game.options.GraphicSet, 98);

  g.game.options.RingWidth = 7;
  Then([this] {
    EXPECT_TRUE(test::ShowsText(g, "Explosionsringebreiten der Connector Explosionen", 262, 224,
                                0xFFFF0000u));
    EXPECT_TRUE(test::ShowsText(g, "60", kValueRowX, RowY(15), kWhite));
  });
  Press(key::kUp);
  Press(key::kUp);
  Press(key::kUp);  // 7, 3, -1, and no further
  Press(key::kReturn);
  g.game.EditRingWidth();
  EXPECT_EQ(g.game.options.RingWidth, -1);

  g.game.options.AiStrength = 19;
  Then([this] { EXPECT_TRUE(test::ShowsText(g, "20", kValueRowX, RowY(19), kBlue)); });
  Press(key::kDown);
  Press(key::kReturn);
  g.game.EditAiStrength();
  EXPECT_EQ(g.game.options.AiStrength, 19);
  EXPECT_TRUE(steps.empty());
}

TEST_F(OptionsFixture, TheSaveImageStoresAndOtherClicksOutsideTheRowsLeaveWithoutStoring) {
  g.game.options.SnakeGraphicSet = 0;
  Press(key::kDown);
  ClickAt(768, 704);  // the save image's top-left pixel
  g.game.EditSnakeGraphicSet();
  EXPECT_EQ(g.game.options.SnakeGraphicSet, 1);

  Press(key::kDown);
  ClickAt(767, 720);  // just left of the save image
  g.game.EditSnakeGraphicSet();
  EXPECT_EQ(g.game.options.SnakeGraphicSet, 1);

  // On the ring screen's heading left of the row column: leaves.
  g.game.options.RingWidth = 20;
  Press(key::kDown);
  ClickAt(300, 230);
  g.game.EditRingWidth();
  EXPECT_EQ(g.game.options.RingWidth, 20);

  // Inside the row column nothing but a row counts: on the heading or below
  // the last row the click is used up and the screen stays.
  g.game.options.SnakeGraphicSet = 0;
  ClickAt(500, 244);                     // the heading
  ClickAt(kValuePickLeft, RowY(3) + 1);  // below the last of three rows
  Then([this] { EXPECT_TRUE(test::ShowsText(g, "Classic", kValueRowX, RowY(0), kBlue)); });
  ClickAt(kValuePickLeft, RowY(2) + 19);
  Then([this] { EXPECT_TRUE(test::ShowsText(g, "Steinwüste"_cp, kValueRowX, RowY(2), kBlue)); });
  Press(key::kReturn);
  g.game.EditSnakeGraphicSet();
  EXPECT_EQ(g.game.options.SnakeGraphicSet, 2);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(g.Count("snake graphic set"), 3);
}

TEST(ValueRows, EachRowTakesNineteenPointerRowsInsideTheColumn) {
  EXPECT_EQ(PickedValueRow(16, 500, 284), -1);
  EXPECT_EQ(PickedValueRow(16, 500, 285), 0);
  EXPECT_EQ(PickedValueRow(16, 500, 303), 0);
  EXPECT_EQ(PickedValueRow(16, 500, 304), -1);
  EXPECT_EQ(PickedValueRow(16, 500, 305), 1);
  EXPECT_EQ(PickedValueRow(16, 500, 285 + 20 * 15), 15);
  EXPECT_EQ(PickedValueRow(16, 500, 285 + 20 * 16), -1);
  EXPECT_EQ(PickedValueRow(20, 500, 683), 19);
  EXPECT_EQ(PickedValueRow(20, 412, 300), -1);
  EXPECT_EQ(PickedValueRow(20, 413, 300), 0);
  EXPECT_EQ(PickedValueRow(20, 661, 300), 0);
  EXPECT_EQ(PickedValueRow(20, 662, 300), -1);
}

TEST_F(OptionsFixture, AGraphicSetOf99GoesThroughTheMenuIntoAMatch) {
  g.PutOptions(128, 20, 9, 99, 7);
  RightClick();  // an ESC still down would end the match at once
  g.game.RunOptionsMenu();
  EXPECT_EQ(*Written(), FileBytes({128, 20, 9, 99, 7}));

  g.game.options = OptionValues{};
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 0;
  OnVisit("match", 1, [this] { g.fake.KeyPressAt(g.Now() + 1500, key::kEscape, 50); });
  const uint64_t before = script.Presented();
  g.game.RunMatch();
  EXPECT_GE(script.Presented() - before, 10u);
  EXPECT_EQ(g.game.options.GraphicSet, 99);
  EXPECT_EQ(g.game.options.AiStrength, 9);
}

}  // namespace
}  // namespace kb
