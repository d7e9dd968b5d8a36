#include <algorithm>
#include <array>
#include <cstdio>

#include "core/colours.h"
#include "core/cp1252.h"
#include "match/match_screen.h"
#include "rules/buttons.h"
#include "rules/cursor.h"
#include "rules/scoring.h"

namespace kb {
namespace {

// The panels right-align their counts by three digit classes.
int32_t CountDigits(int32_t value) {
  if (value < 10) return 1;
  if (value < 100) return 2;
  return 3;
}

}  // namespace

void MatchScreen::DrawPointsPanel() {
  const MatchState& m = game_.rules.match;
  char number[16];
  game_.text.DrawText("Punkte:", 780, 180, kRed);
  std::snprintf(number, sizeof number, "%d", m.Score);
  game_.text.DrawText(number, 880, 180, kRed);
  game_.text.DrawText("Steintauschpunkte:", 780, 220, kWhite);
  std::snprintf(number, sizeof number, "%d", m.SwapPoints);
  game_.text.DrawText(number, m.SwapPoints < 10 ? 980 : 970, 220, kWhite);
  game_.text.DrawText("Lebenspunkte:", 780, 260, kGreen);
  std::snprintf(number, sizeof number, "%d", m.Lives);
  game_.text.DrawText(number, 920, 260, kGreen);
}

void MatchScreen::DrawScorePanel() {
  const MatchState& m = game_.rules.match;
  char line[32];
  game_.text.DrawText("Spielstand:", 395, 484, kWhite);
  std::snprintf(line, sizeof line, "%d : %d", m.WinsLeft, m.WinsRight);
  game_.text.DrawText(line, 515, 484, kWhite);
  if (m.HumanPlayers < 2) {
    game_.text.DrawText("KI Spielstärke:"_cp, 395, 504, kRed);
    // The strength the computer plays with, whatever the options file holds.
    std::snprintf(line, sizeof line, "%d ", std::clamp(game_.options.AiStrength, 0, 19) + 1);
    game_.text.DrawText(line, 550, 504, kRed);
  }
}

void MatchScreen::DrawBoutResult() {
  const MatchState& m = game_.rules.match;
  const bool rightWon = m.BoutWinner == 1;
  const int32_t lose = rightWon ? 72 : 712;
  const int32_t win = rightWon ? 752 : 112;
  const std::array<int32_t, 7> x = {lose - 32, lose + 48, lose + 128, lose + 208,
                                    win - 32,  win + 48,  win + 128};
  for (size_t i = 0; i < x.size(); ++i) {
    const int32_t y = std::min(800 - 40 * static_cast<int32_t>(i) - 5 * m.BoutEndCountdown, 500);
    game_.sprites.Draw(game_.resources.boutLetters[i],
                       {.centreX = 32.0f, .centreY = 48.0f, .x = x[i], .y = y}, kWhite);
  }
}

void MatchScreen::DrawGroupPanel() {
  const MatchState& m = game_.rules.match;
  if (game_.IsTwoPlayer()) {
    char number[16];
    game_.text.DrawText("markiert", 480, 100, kBlue);
    std::snprintf(number, sizeof number, "%d", game_.rules.GroupSizeB);
    game_.text.DrawText(number, 420, 100, kBlue);
    std::snprintf(number, sizeof number, "%d", game_.rules.GroupSizeA);
    game_.text.DrawText(number, 612, 100, kBlue);
    return;
  }
  const int32_t n = game_.rules.GroupSizeA;
  char line[64];
  game_.text.DrawText("markierte", 780, 100, kBlue);
  game_.text.DrawText("Steine", 780, 116, kBlue);
  std::snprintf(line, sizeof line, "%d", n);
  game_.text.DrawText(line, 880, 116, kBlue);
  game_.text.DrawText("Punktwert", 780, 132, kBlue);
  std::snprintf(line, sizeof line, "%d*%d*%d=%d", GroupPoints(n, 1, 1), m.Multiplier,
                m.UltraMultiplier, GroupPoints(n, m.Multiplier, m.UltraMultiplier));
  game_.text.DrawText(line, 880, 132, kBlue);
}

void MatchScreen::DrawStoneCounts() {
  const bool split = game_.IsTwoPlayer();
  // Half 0 is the whole board in one-player mode, else the right half.
  std::array<std::array<int32_t, 8>, 2> counts{};
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const StoneCode code = game_.rules.board.CellAt(row, column);
      if (code < 1 || code > kIndestructible) continue;
      const size_t half = split && column < kHalfWidth ? 1 : 0;
      ++counts[half][static_cast<size_t>(code)];
    }
  }
  const int32_t xOffset = split ? -300 : 0;
  const int32_t yOffset = split ? 0 : 150;
  const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
  const std::array<TextureHandle, 6> icons = {
      set.stone[0], set.stone[1],  set.stone[2],
      set.stone[3], set.connector, split ? set.indestructible : set.multiplier};
  constexpr std::array<int32_t, 6> kIconY = {164, 212, 260, 308, 364, 412};
  for (size_t i = 0; i < icons.size(); ++i) {
    game_.sprites.Draw(
        icons[i],
        {.centreX = 24.0f, .centreY = 24.0f, .x = 780 + xOffset, .y = kIconY[i] + yOffset}, kWhite);
  }
  game_.text.DrawText("Gesamt", 780 + xOffset, 148 + yOffset, kYellow);

  const int32_t halves =
      std::min(game_.rules.match.HumanPlayers + game_.rules.match.ComputerPlayers, 2);
  constexpr std::array<int32_t, 5> kCountY = {188, 236, 284, 332, 380};
  for (int32_t p = 0; p < halves; ++p) {
    const int32_t columnOffset = (split ? 32 : 0) - 192 * p;
    const auto& c = counts[static_cast<size_t>(p)];
    auto drawCount = [&](int32_t value, int32_t y, uint32_t colour) {
      char number[16];
      std::snprintf(number, sizeof number, "%d", value);
      game_.text.DrawText(number, 890 - 10 * CountDigits(value) + xOffset + columnOffset,
                          y + yOffset, colour);
    };
    int32_t total = 0;
    for (int32_t code = 1; code <= kIndestructible; ++code) total += c[static_cast<size_t>(code)];
    drawCount(total, 148, kYellow);
    for (size_t i = 0; i < kCountY.size(); ++i) drawCount(c[i + 1], kCountY[i], kWhite);
    drawCount(c[split ? kIndestructible : kMultiplier], 436, kWhite);
  }
}

void MatchScreen::DrawCursors() {
  const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
  const MatchState& m = game_.rules.match;
  if (!game_.IsTwoPlayer()) {
    game_.sprites.Draw(
        set.cursor, {.centreX = 24.0f, .centreY = 24.0f, .x = m.CursorX - 24, .y = m.CursorY - 24},
        kWhite);
    return;
  }
  // The cursor of the player who is not on turn keeps turning.
  const float leftAngle = m.Turn == 1 ? carry_.SpinAngle : 0.0f;
  const float rightAngle = m.Turn == 1 ? 0.0f : carry_.SpinAngle;
  game_.sprites.Draw(set.cursor,
                     {.centreX = 24.0f,
                      .centreY = 24.0f,
                      .rotation = leftAngle,
                      .x = m.Cursor2X - 24,
                      .y = m.Cursor2Y - 24},
                     kWhite);
  game_.sprites.Draw(set.cursor,
                     {.centreX = 24.0f,
                      .centreY = 24.0f,
                      .rotation = rightAngle,
                      .x = m.CursorX + kRightHalfScreenX - 24,
                      .y = m.CursorY - 24},
                     kWhite);
}

void MatchScreen::DrawMatchButtons() {
  // Each image stands at the top-left corner of the area that clicks it.
  auto button = [&](TextureHandle image, const ScreenRect& area) {
    game_.sprites.Draw(image, {.x = area.left, .y = area.top}, kWhite);
  };
  if (game_.IsTwoPlayer()) {
    button(game_.resources.exitButton, kTwoPlayerExitButton);
    return;
  }
  button(game_.resources.shuffleButton, kShuffleButton);
  button(game_.resources.undoButton, kUndoButton);
  button(SwapInProgress(game_.rules.match) ? game_.resources.swapActiveButton
                                           : game_.resources.swapInactiveButton,
         kSwapButton);
  button(game_.resources.exitButton, kExitButton);
}

}  // namespace kb
