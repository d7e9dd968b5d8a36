#include <algorithm>
#include <array>
#include <cmath>

#include "core/colours.h"
#include "core/key_codes.h"
#include "match/match_observer.h"
#include "match/match_screen.h"
#include "rules/board_fill.h"
#include "rules/bonus_sequence.h"
#include "rules/bout_end.h"
#include "rules/cursor.h"
#include "rules/level_end.h"
#include "rules/removal_step.h"
#include "rules/shuffle.h"
#include "rules/swap_step.h"
#include "rules/turn_step.h"
#include "rules/undo.h"

namespace kb {
namespace {

constexpr int32_t kPeriodMs = 100;
constexpr float kTwoPi = 6.28318530718f;
constexpr std::array<uint8_t, 8> kCursorKeys = {key::kLeft, key::kRight, key::kUp, key::kDown,
                                                key::kW,    key::kA,     key::kS,  key::kD};

}  // namespace

PlayerInput MatchScreen::ReadPlayerInput() const {
  PlayerInput in;
  in.Left = game_.input.KeyDown(key::kLeft);
  in.Right = game_.input.KeyDown(key::kRight);
  in.Up = game_.input.KeyDown(key::kUp);
  in.Down = game_.input.KeyDown(key::kDown);
  in.Return = game_.input.KeyDown(key::kReturn);
  in.LeftCtrl = game_.input.KeyDown(key::kLeftControl);
  in.RightCtrl = game_.input.KeyDown(key::kRightControl);
  in.Space = game_.input.KeyDown(key::kSpace);
  in.Numpad0 = game_.input.KeyDown(key::kNumpad0);
  in.W = game_.input.KeyDown(key::kW);
  in.A = game_.input.KeyDown(key::kA);
  in.S = game_.input.KeyDown(key::kS);
  in.D = game_.input.KeyDown(key::kD);
  in.PointerX = game_.input.PointerX;
  in.PointerY = game_.input.PointerY;
  in.LeftButton = game_.input.LeftButton;
  in.RightButton = game_.input.RightButton;
  return in;
}

void MatchScreen::AdvanceAnimation(double rate) {
  // Two radians a second, and a pulse of e^(+-2t), whatever the pass rate.
  // MENDED: the first pass of a match measures the time since the previous
  // match; its step is capped so that a marked connector does not jump to a
  // hundred times its size. The angle stays small to keep its precision.
  const double step = std::isfinite(rate) && rate > 10.0 ? 2.0 / rate : 0.2;
  carry_.SpinAngle = std::fmod(carry_.SpinAngle + static_cast<float>(step), kTwoPi * 1024.0f);
  if (carry_.PulseX > 4.0f) carry_.PulseGrowing = false;
  if (carry_.PulseX < 0.25f) carry_.PulseGrowing = true;
  const auto k = static_cast<float>(1.0 + step);
  if (carry_.PulseGrowing) {
    carry_.PulseX *= k;
    carry_.PulseY /= k;
  } else {
    carry_.PulseX /= k;
    carry_.PulseY *= k;
  }
}

void MatchScreen::BeginGridFrame() {
  const int32_t board = game_.IsTwoPlayer() ? 1 : 0;
  if (gridFrameBoard_ == board) {
    const bool kept = boardFrameKept_ && board == 0;
    const Image& start = kept ? boardFrame_ : gridFrame_;
    const PixelTarget frame = game_.renderer.BackBufferToCover();
    std::copy(start.pixels.begin(), start.pixels.end(), frame.pixels);
    boardPart_ = kept ? BoardPart::kKeptBoard : BoardPart::kGrid;
    return;
  }
  game_.renderer.BeginFrame();
  DrawGridLines();
  gridFrame_ = game_.renderer.BackImage();
  gridFrameBoard_ = board;
  boardPart_ = BoardPart::kGrid;
}

void MatchScreen::DrawGridLines() {
  const bool split = game_.IsTwoPlayer();
  // The second half's lines start at the right half's left edge.
  const int32_t offset = split ? kRightHalfScreenX : kHalfPixels;
  const int32_t shift = split ? -48 : 0;
  const TextureHandle line = game_.resources.gridLine;
  for (int32_t i = 0; i < 15; ++i) {
    const int32_t y = (i + 1) * 48;
    game_.sprites.Draw(line, {.centreX = 192.0f, .centreY = 1.0f, .y = y}, kWhite);
    game_.sprites.Draw(line, {.centreX = 192.0f, .centreY = 1.0f, .x = offset, .y = y}, kWhite);
  }
  for (int32_t i = 0; i < 8; ++i) {
    const int32_t x = (i + 1) * 48 - 192;
    for (const int32_t lineX : {x, x + offset + shift}) {
      game_.sprites.Draw(
          line, {.centreX = 192.0f, .centreY = 1.0f, .rotation = 1.57f, .x = lineX, .y = 192},
          kWhite);
      game_.sprites.Draw(
          line, {.centreX = 192.0f, .centreY = 1.0f, .rotation = 1.57f, .x = lineX, .y = 576},
          kWhite);
    }
  }
}

MatchScreen::MatchScreen(Game& game) : game_(game), carry_(game.matchCarryOver) {}

MatchEnd MatchScreen::Run(const SavedMatch* resumed) {
  game_.EnterScreen("match");
  platform::Clock& clock = game_.platform.clock;
  nowTicks_ = static_cast<int32_t>(clock.TickCount());
  periodEndTicks_ = nowTicks_ + kPeriodMs;
  ReadOptionsFile(game_.platform.files, game_.options);
  if (resumed != nullptr) {
    RestoreInto(*resumed, game_.rules);
    game_.random.Seed(resumed->RandomState);
    // Stopped while its snake game ran, the match goes on after the bonus:
    // what the bonus level gives is given, the snake's points are lost.
    if (game_.rules.match.BonusCountdown == 0 && game_.rules.match.BonusLevel > 0) {
      RulesObserver quiet;
      AwardSnakeBonus(game_.rules.match, 0, quiet);
    }
  } else {
    StartMatch(game_.rules, game_.chance, game_.BoardNumber);
    game_.rules.AiStrength = game_.options.AiStrength;
  }
  KeepMatch(true);
  game_.music.WaitWithMusic(1000);
  game_.input.DropTaps();
  matchStartCounter_ = clock.PerformanceCounter();
  passCount_ = 0;
  bestRate_ = 0.0;
  int32_t lastPassTicks = nowTicks_;

  while (!game_.input.KeyDown(key::kEscape) && game_.rules.match.QuitRequested == 0) {
    // Only passes that run a drawing burst present their frame, so the
    // others keep time, music, input and animation current without drawing.
    // The burst decision is the same as at the end of the pass: the period
    // is renewed first when it has run out.
    if (nowTicks_ > periodEndTicks_)
      periodEndTicks_ = static_cast<int32_t>(clock.TickCount()) + kPeriodMs;
    const bool burst = nowTicks_ < periodEndTicks_ - 99;

    // The bonus countdown counts passes of a loop that never rested, about
    // one a millisecond; this loop rests in passes that draw nothing, so it
    // counts the milliseconds since its last pass, a pause (a message) as one
    // period at most. Its message stands on the pass's own fresh frame, as a
    // burst's would.
    const bool bonusDue =
        AdvanceBonusCountdown(game_.rules.match, std::min(nowTicks_ - lastPassTicks, kPeriodMs));
    lastPassTicks = nowTicks_;
    if (burst || bonusDue) {
      BeginGridFrame();
    }
    const double rate = MeasureFrameRate(burst || bonusDue);
    if (bonusDue) {
      MatchObserver observer(game_);
      KeepMatch(true);
      AnnounceSnakeBonus(observer);
      game_.RunSnakeGame(false);
      // The board is drawn over what the snake game left.
      boardPart_ = BoardPart::kOther;
      AwardSnakeBonus(game_.rules.match, game_.snake.Points, observer);
    }
    if (burst) DrawStoneCounts();
    AdvanceAnimation(rate);
    game_.music.UpdateMusic();
    ReadMatchInput(burst);
    game_.music.UpdateMusic();

    if (burst && !RunDrawingBurst()) return End(true);
    // A pass that presents nothing rests until shortly after the period
    // ends, 10 ms at the most, so that the next burst starts on time.
    if (!burst) {
      const int32_t untilRenewal = periodEndTicks_ + 1 - static_cast<int32_t>(clock.TickCount());
      clock.SleepMicroseconds(static_cast<uint32_t>(std::clamp(untilRenewal, 1, 10)) * 1000u);
    }
    nowTicks_ = static_cast<int32_t>(clock.TickCount());
  }

  // Left by ESC or the Exit button: there is nothing to continue.
  DropSavedMatch(game_.platform.files);
  game_.input.FlushKeyboard(200000);
  game_.rules.match.QuitRequested = 0;
  game_.rules.match.SwapFirst = ScreenPoint{};
  return End(false);
}

MatchEnd MatchScreen::End(bool gameOver) const {
  const MatchState& match = game_.rules.match;
  const int32_t level = game_.IsTwoPlayer() ? 1 + match.WinsLeft + match.WinsRight : levelsBegun_;
  return {gameOver, {.score = match.Score, .level = level}};
}

void MatchScreen::KeepMatch(bool always) {
  const SavedMatch now = SaveOf(game_.rules, game_.random.State());
  if (!always && kept_ && SameCourse(now, *kept_)) return;
  // A failed write leaves the last kept state, which is all a later start
  // could continue anyway; the game goes on.
  WriteSavedMatch(game_.platform.files, now);
  kept_ = now;
}

void MatchScreen::ReadMatchInput(bool burst) {
  // Every pass keeps the input current; only a burst acts on it, so a tap
  // waits for the next burst. The turn step looks at the cursor keys only
  // every other burst, and their taps wait for that one.
  using platform::ReadUse;
  const bool cursorKeysRest =
      burst && game_.rules.match.BoutEndCountdown == -1 && !TurnStepReadsCursorKeys(game_.rules);
  game_.input.ReadKeyboard(
      burst ? ReadUse::kActs : ReadUse::kKeepsCurrent,
      cursorKeysRest ? std::span<const uint8_t>(kCursorKeys) : std::span<const uint8_t>());
  game_.input.ReadMouse(burst ? ReadUse::kActs : ReadUse::kKeepsCurrent);
}

bool MatchScreen::RunDrawingBurst() {
  MatchObserver observer(game_);
  MatchState& match = game_.rules.match;
  DrawBoard();
  AdvanceRemovalAnimations(game_.rules.effects);
  PlayerInput in = ReadPlayerInput();
  if (match.BoutEndCountdown == -1) {
    TurnStep(game_.rules, in, game_.chance, observer);
    DrawCursors();
    DrawGroupPanel();
  }
  const int32_t winner = RemovalStep(game_.rules, in, game_.chance, observer);
  if (winner > 0) BeginBoutEnd(game_.rules, winner);
  if (ShowsBoutResult(match)) DrawBoutResult();
  CountDownBoutEnd(game_.rules, game_.chance);
  if (game_.IsTwoPlayer()) {
    DrawScorePanel();
  } else {
    DrawPointsPanel();
  }

  game_.particles.UpdateAllParticles(game_.rules.effects.ParticleGrid, game_.renderer.BackBuffer(),
                                     game_.chance, game_.helper);
  in = ReadPlayerInput();
  ShuffleKeyStep(game_.rules, in, game_.chance, observer);
  const LevelEndResult levelEnd = CheckLevel(game_.rules, game_.chance, observer);
  if (levelEnd == LevelEndResult::kLevelEnd) ++levelsBegun_;
  if (levelEnd == LevelEndResult::kGameOver) {
    DropSavedMatch(game_.platform.files);
    return false;
  }
  if (!game_.IsTwoPlayer()) UndoKeyStep(game_.rules, in, observer);
  game_.input.ReadMouse(platform::ReadUse::kActsAgain);
  in = ReadPlayerInput();
  if (!game_.IsTwoPlayer()) SwapStep(game_.rules, in);
  KeepMatch(false);
  DrawMatchButtons();
  game_.DrawPointer();
  if (game_.input.KeyDown(key::kF1)) game_.TakeScreenshot();
  game_.renderer.EndFrame();
  game_.music.UpdateMusic();
  return true;
}

}  // namespace kb
