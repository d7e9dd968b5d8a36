#include <algorithm>
#include <array>
#include <cmath>

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"
#include "match/match_observer.h"
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

void Game::FillBoard() {
  kb::FillBoard(rules, chance);
}

PlayerInput Game::ReadPlayerInput() const {
  PlayerInput in;
  in.Left = input.KeyDown(key::kLeft);
  in.Right = input.KeyDown(key::kRight);
  in.Up = input.KeyDown(key::kUp);
  in.Down = input.KeyDown(key::kDown);
  in.Return = input.KeyDown(key::kReturn);
  in.LeftCtrl = input.KeyDown(key::kLeftControl);
  in.RightCtrl = input.KeyDown(key::kRightControl);
  in.Space = input.KeyDown(key::kSpace);
  in.Numpad0 = input.KeyDown(key::kNumpad0);
  in.W = input.KeyDown(key::kW);
  in.A = input.KeyDown(key::kA);
  in.S = input.KeyDown(key::kS);
  in.D = input.KeyDown(key::kD);
  in.PointerX = input.PointerX;
  in.PointerY = input.PointerY;
  in.LeftButton = input.LeftButton;
  in.RightButton = input.RightButton;
  return in;
}

void Game::AdvanceAnimation(double rate) {
  // Two radians a second, and a pulse of e^(+-2t), whatever the pass rate.
  // MENDED: the first pass of a match measures the time since the previous
  // match; its step is capped so that a marked connector does not jump to a
  // hundred times its size. The angle stays small to keep its precision.
  const double step = std::isfinite(rate) && rate > 10.0 ? 2.0 / rate : 0.2;
  SpinAngle = std::fmod(SpinAngle + static_cast<float>(step), kTwoPi * 1024.0f);
  if (PulseX > 4.0f) PulseGrowing = false;
  if (PulseX < 0.25f) PulseGrowing = true;
  const auto k = static_cast<float>(1.0 + step);
  if (PulseGrowing) {
    PulseX *= k;
    PulseY /= k;
  } else {
    PulseX /= k;
    PulseY *= k;
  }
}

void Game::BeginGridFrame() {
  const int32_t board = IsTwoPlayer() ? 1 : 0;
  if (gridFrameBoard_ == board) {
    const PixelTarget frame = renderer.BackBufferToCover();
    std::copy(gridFrame_.pixels.begin(), gridFrame_.pixels.end(), frame.pixels);
    return;
  }
  renderer.BeginFrame();
  DrawGridLines();
  gridFrame_ = renderer.BackImage();
  gridFrameBoard_ = board;
}

void Game::DrawGridLines() {
  const bool split = IsTwoPlayer();
  // The second half's lines start at the right half's left edge.
  const int32_t offset = split ? kRightHalfScreenX : kHalfPixels;
  const int32_t shift = split ? -48 : 0;
  const TextureHandle line = resources.gridLine;
  for (int32_t i = 0; i < 15; ++i) {
    const int32_t y = (i + 1) * 48;
    sprites.Draw(line, {.centreX = 192.0f, .centreY = 1.0f, .y = y}, kWhite);
    sprites.Draw(line, {.centreX = 192.0f, .centreY = 1.0f, .x = offset, .y = y}, kWhite);
  }
  for (int32_t i = 0; i < 8; ++i) {
    const int32_t x = (i + 1) * 48 - 192;
    for (const int32_t lineX : {x, x + offset + shift}) {
      sprites.Draw(line,
                   {.centreX = 192.0f, .centreY = 1.0f, .rotation = 1.57f, .x = lineX, .y = 192},
                   kWhite);
      sprites.Draw(line,
                   {.centreX = 192.0f, .centreY = 1.0f, .rotation = 1.57f, .x = lineX, .y = 576},
                   kWhite);
    }
  }
}

void Game::RunMatch() {
  EnterScreen("match");
  platform::Clock& clock = platform.clock;
  NowTicks = static_cast<int32_t>(clock.TickCount());
  PeriodEndTicks = NowTicks + kPeriodMs;
  StartMatch(rules, chance);
  ReadOptionsFile(platform.files, options);
  rules.AiStrength = options.AiStrength;
  music.WaitWithMusic(1000);
  input.DropTaps();
  MatchStartCounter = clock.PerformanceCounter();
  PassCount = 0;
  BestRate = 0.0;
  int32_t lastPassTicks = NowTicks;

  while (!input.KeyDown(key::kEscape) && rules.match.QuitRequested == 0) {
    // Only passes that run a drawing burst present their frame, so the
    // others keep time, music, input and animation current without drawing.
    // The burst decision is the same as at the end of the pass: the period
    // is renewed first when it has run out.
    if (NowTicks > PeriodEndTicks)
      PeriodEndTicks = static_cast<int32_t>(clock.TickCount()) + kPeriodMs;
    const bool burst = NowTicks < PeriodEndTicks - 99;

    // The bonus countdown counts passes of a loop that never rested, about
    // one a millisecond; this loop rests in passes that draw nothing, so it
    // counts the milliseconds since its last pass, a pause (a message) as one
    // period at most. Its message stands on the pass's own fresh frame, as a
    // burst's would.
    const bool bonusDue =
        AdvanceBonusCountdown(rules.match, std::min(NowTicks - lastPassTicks, kPeriodMs));
    lastPassTicks = NowTicks;
    if (burst || bonusDue) {
      BeginGridFrame();
    }
    const double rate = MeasureFrameRate(burst || bonusDue);
    if (bonusDue) {
      MatchObserver observer(*this);
      AnnounceSnakeBonus(observer);
      RunSnakeGame(false);
      AwardSnakeBonus(rules.match, snake.Points, observer);
    }
    if (burst) DrawStoneCounts();
    AdvanceAnimation(rate);
    music.UpdateMusic();
    ReadMatchInput(burst);
    music.UpdateMusic();

    if (burst && !RunDrawingBurst()) return;
    // A pass that presents nothing rests until shortly after the period
    // ends, 10 ms at the most, so that the next burst starts on time.
    if (!burst) {
      const int32_t untilRenewal = PeriodEndTicks + 1 - static_cast<int32_t>(clock.TickCount());
      clock.SleepMicroseconds(static_cast<uint32_t>(std::clamp(untilRenewal, 1, 10)) * 1000u);
    }
    NowTicks = static_cast<int32_t>(clock.TickCount());
  }

  input.FlushKeyboard(200000);
  rules.match.QuitRequested = 0;
  rules.match.SwapFirst = ScreenPoint{};
}

void Game::ReadMatchInput(bool burst) {
  // Every pass keeps the input current; only a burst acts on it, so a tap
  // waits for the next burst. The turn step looks at the cursor keys only
  // every other burst, and their taps wait for that one.
  using platform::ReadUse;
  const bool cursorKeysRest =
      burst && rules.match.BoutEndCountdown == -1 && !TurnStepReadsCursorKeys(rules);
  input.ReadKeyboard(
      burst ? ReadUse::kActs : ReadUse::kKeepsCurrent,
      cursorKeysRest ? std::span<const uint8_t>(kCursorKeys) : std::span<const uint8_t>());
  input.ReadMouse(burst ? ReadUse::kActs : ReadUse::kKeepsCurrent);
}

bool Game::RunDrawingBurst() {
  MatchObserver observer(*this);
  MatchState& match = rules.match;
  DrawBoard();
  AdvanceRemovalAnimations(rules.effects);
  PlayerInput in = ReadPlayerInput();
  if (match.BoutEndCountdown == -1) {
    TurnStep(rules, in, chance, observer);
    DrawCursors();
    DrawGroupPanel();
  }
  const int32_t winner = RemovalStep(rules, in, chance, observer);
  if (winner > 0) BeginBoutEnd(rules, winner);
  if (ShowsBoutResult(match)) DrawBoutResult();
  CountDownBoutEnd(rules, chance);
  if (IsTwoPlayer()) {
    DrawScorePanel();
  } else {
    DrawPointsPanel();
  }

  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (rules.effects.ParticleGrid[row][column] > 0) {
        particles.UpdateParticles(rules.effects.ParticleGrid, column, row, renderer.BackBuffer(),
                                  chance);
      }
    }
  }
  in = ReadPlayerInput();
  ShuffleKeyStep(rules, in, chance, observer);
  if (CheckLevel(rules, chance, observer) == LevelEndResult::kGameOver) {
    OfferHighscore(rules.match.Score);
    return false;
  }
  if (!IsTwoPlayer()) UndoKeyStep(rules, in, observer);
  input.ReadMouse(platform::ReadUse::kActsAgain);
  in = ReadPlayerInput();
  if (!IsTwoPlayer()) SwapStep(rules, in);
  DrawMatchButtons();
  DrawPointer();
  if (input.KeyDown(key::kF1)) TakeScreenshot();
  renderer.EndFrame();
  music.UpdateMusic();
  return true;
}

}  // namespace kb
