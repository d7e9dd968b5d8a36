#include <algorithm>
#include <cmath>
#include <utility>

#include "core/colours.h"
#include "effects/rainbow_rings.h"
#include "match/match_screen.h"
#include "rules/cursor.h"

namespace kb {

void MatchScreen::DrawBoard() {
  const BoardLooks looks = LooksOfBoard();
  const BoardPart part = std::exchange(boardPart_, BoardPart::kOther);
  if (part == BoardPart::kKeptBoard && RedrawChangedLooks(looks)) return;
  if (part == BoardPart::kKeptBoard) ShowGridUnderBoard();
  const bool split = game_.IsTwoPlayer();
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      const StoneLook& look = looks[static_cast<size_t>(column * kBoardSize + row)];
      game_.sprites.Draw(look.texture, look.placement, kWhite);
      if (game_.rules.effects.RemovalAnimGrid[row][column] > 0) DrawCellExplosion(column, row);
    }
  }
  game_.sprites.Draw(looks.back().texture, looks.back().placement, kWhite);
  if (part != BoardPart::kOther && !split) KeepBoardFrame(looks);
}

MatchScreen::BoardLooks MatchScreen::LooksOfBoard() const {
  const bool split = game_.IsTwoPlayer();
  BoardLooks looks;
  for (int32_t column = 0; column < kBoardSize; ++column) {
    const int32_t left = column * kCellSize + (split && column >= kHalfWidth ? kRightHalfShift : 0);
    for (int32_t row = 0; row < kBoardSize; ++row) {
      looks[static_cast<size_t>(column * kBoardSize + row)] = LookOfStone(column, row, left);
    }
  }
  const ScreenPoint first = game_.rules.match.SwapFirst;
  if (first.x > 0) {
    const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
    looks.back() = {set.swapMarker,
                    {.centreX = 24.0f,
                     .centreY = 24.0f,
                     .x = first.x - 24 + (split ? kRightHalfScreenX : 0),
                     .y = first.y - 24}};
  }
  return looks;
}

MatchScreen::StoneLook MatchScreen::LookOfStone(int32_t column, int32_t row, int32_t left) const {
  const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
  const StoneCode code = game_.rules.board.CellAt(row, column);
  const uint8_t mark = game_.rules.marks[row][column];
  const int32_t top = row * kCellSize;
  if (code == kEmpty || mark > 1) return {};
  if (IsColour(code)) {
    const size_t colour = static_cast<size_t>(code - 1);
    if (mark == 0) {
      return {set.stone[colour], {.centreX = 24.0f, .centreY = 24.0f, .x = left, .y = top}};
    }
    return {
        set.stoneMarked[colour],
        {.centreX = 24.0f, .centreY = 24.0f, .rotation = carry_.SpinAngle, .x = left, .y = top}};
  }
  // Marked connectors and multipliers pulse about the cell's centre.
  const int32_t pulseLeft = left + 24 - static_cast<int32_t>(std::trunc(24.0f * carry_.PulseX));
  const int32_t pulseTop = top + 24 - static_cast<int32_t>(std::trunc(24.0f * carry_.PulseY));
  if (code == kConnector && mark == 1) {
    return {set.connectorMarked,
            {.scaleX = carry_.PulseX,
             .scaleY = carry_.PulseY,
             .centreX = 24.0f * carry_.PulseX,
             .centreY = 24.0f * carry_.PulseY,
             .rotation = carry_.SpinAngle,
             .x = pulseLeft,
             .y = pulseTop}};
  }
  if (code == kMultiplier && mark == 1) {
    return {set.multiplierMarked,
            {.scaleX = carry_.PulseX,
             .scaleY = carry_.PulseY,
             .centreX = 24.0f,
             .centreY = 24.0f,
             .x = pulseLeft,
             .y = pulseTop}};
  }
  const TextureHandle plain = code == kConnector        ? set.connector
                              : code == kMultiplier     ? set.multiplier
                              : code == kIndestructible ? set.indestructible
                                                        : kNoHandle;
  return {plain, {.centreX = 24.0f, .centreY = 24.0f, .x = left, .y = top}};
}

void MatchScreen::DrawCellExplosion(int32_t column, int32_t row) {
  const int32_t ring = game_.rules.effects.RingGrid[row][column];
  // The frame after the counter; AdvanceRemovalAnimations moves it on.
  const int32_t n = game_.rules.effects.RemovalAnimGrid[row][column] + 1;
  // The sheet's cells in the order the animation shows them.
  const int32_t srcX = kCellSize * ((n - 1) % 4);
  const int32_t srcY = kCellSize * (n / 4);
  const int32_t left =
      column * kCellSize + (game_.IsTwoPlayer() && column >= kHalfWidth ? kRightHalfShift : 0);
  const int32_t top = row * kCellSize;
  // MENDED: a stored ring width beyond 60 is cut here, where it is used.
  const int32_t width = std::clamp(game_.options.RingWidth, 0, 60);
  auto burst = [&](float scale, int32_t inset) {
    game_.sprites.DrawPart(game_.resources.explosion,
                           {.scaleX = scale,
                            .scaleY = scale,
                            .centreX = 48.0f,
                            .centreY = 48.0f,
                            .x = left - inset,
                            .y = top - inset},
                           {srcX, srcY, kCellSize, kCellSize}, kWhite);
  };
  if (ring == 1) {
    burst(8.0f, 168);
    DrawRing(game_.renderer.BackBuffer(), left + 24, top + 24, 40 * n, width);
  } else if (ring == 2) {
    burst(4.0f, 72);
    DrawRing(game_.renderer.BackBuffer(), left + 24, top + 24, 20 * n, width / 2);
  } else {
    burst(2.0f, 24);
  }
  const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
  const int32_t removed = game_.rules.effects.RemovedCodeGrid[row][column];
  if (removed >= 1 && removed <= 6) {
    const TextureHandle sheet = removed <= 4 ? set.stoneAnimation[static_cast<size_t>(removed - 1)]
                                : removed == kConnector ? set.connectorAnimation
                                                        : set.multiplierAnimation;
    game_.sprites.DrawPart(sheet, {.centreX = 24.0f, .centreY = 24.0f, .x = left, .y = top},
                           {srcX, srcY, kCellSize, kCellSize}, kWhite);
  }
}

}  // namespace kb
