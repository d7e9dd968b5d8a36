#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <utility>

#include "core/colours.h"
#include "effects/rainbow_rings.h"
#include "match/match_screen.h"
#include "rules/cursor.h"

namespace kb {

namespace {

// While explosions run, the board's drawing is shared out in bands of the
// screen, each thread taking the next: their sheets and rings are the
// heaviest drawing of a burst, and where they lie differs from one
// explosion to the next.
constexpr int32_t kBoardBands = 4;
constexpr int32_t kBandHeight = platform::kScreenHeight / kBoardBands;

// A band of the target as a target of its own, for drawings that clip to
// their target: the band's rows, with y counted from its top.
PixelTarget BandOf(PixelTarget target, PixelRect clip) {
  return {target.pixels + static_cast<ptrdiff_t>(clip.top) * target.width, target.width,
          clip.bottom - clip.top};
}

}  // namespace

struct MatchScreen::BoardBands {
  const MatchScreen& screen;
  const BoardLooks& looks;
  PixelTarget target;
  std::atomic<int32_t> next{0};

  void DrawAll() {
    for (int32_t band = next++; band < kBoardBands; band = next++) {
      screen.DrawBoardWithin(looks, target,
                             {0, band * kBandHeight, target.width, (band + 1) * kBandHeight});
    }
  }
  static void Help(void* bands) { static_cast<BoardBands*>(bands)->DrawAll(); }
};

void MatchScreen::DrawBoard() {
  const BoardLooks looks = LooksOfBoard();
  const BoardPart part = std::exchange(boardPart_, BoardPart::kOther);
  if (part == BoardPart::kKeptBoard && RedrawChangedLooks(looks)) return;
  if (part == BoardPart::kKeptBoard) ShowGridUnderBoard();
  const PixelTarget target = game_.renderer.BackBuffer();
  BoardBands bands{*this, looks, target};
  if (RemovalAnimationsRun(game_.rules.effects) && game_.helper.Offer(&BoardBands::Help, &bands)) {
    bands.DrawAll();
    game_.helper.Finish();
  } else {
    DrawBoardWithin(looks, target, {0, 0, target.width, target.height});
  }
  if (part != BoardPart::kOther && !game_.IsTwoPlayer()) KeepBoardFrame(looks);
}

void MatchScreen::DrawBoardWithin(const BoardLooks& looks, PixelTarget target,
                                  PixelRect clip) const {
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      const StoneLook& look = looks[static_cast<size_t>(column * kBoardSize + row)];
      game_.sprites.DrawPartWithin(target, clip, look.texture, look.placement, std::nullopt,
                                   kWhite);
      if (game_.rules.effects.RemovalAnimGrid[row][column] > 0) {
        DrawCellExplosionWithin(column, row, target, clip);
      }
    }
  }
  game_.sprites.DrawPartWithin(target, clip, looks.back().texture, looks.back().placement,
                               std::nullopt, kWhite);
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
  const PixelTarget target = game_.renderer.BackBuffer();
  DrawCellExplosionWithin(column, row, target, {0, 0, target.width, target.height});
}

void MatchScreen::DrawCellExplosionWithin(int32_t column, int32_t row, PixelTarget target,
                                          PixelRect clip) const {
  const int32_t ring = game_.rules.effects.RingGrid[row][column];
  // The frame after the counter; AdvanceRemovalAnimations moves it on.
  const int32_t n = game_.rules.effects.RemovalAnimGrid[row][column] + 1;
  // The sheet's cells in the order the animation shows them.
  const int32_t srcX = kCellSize * ((n - 1) % 4);
  const int32_t srcY = kCellSize * (n / 4);
  const SourceRect source{srcX, srcY, kCellSize, kCellSize};
  const int32_t left =
      column * kCellSize + (game_.IsTwoPlayer() && column >= kHalfWidth ? kRightHalfShift : 0);
  const int32_t top = row * kCellSize;
  // MENDED: a stored ring width beyond 60 is cut here, where it is used.
  const int32_t width = std::clamp(game_.options.RingWidth, 0, 60);
  auto burst = [&](float scale, int32_t inset) {
    game_.sprites.DrawPartWithin(target, clip, game_.resources.explosion,
                                 {.scaleX = scale,
                                  .scaleY = scale,
                                  .centreX = 48.0f,
                                  .centreY = 48.0f,
                                  .x = left - inset,
                                  .y = top - inset},
                                 source, kWhite);
  };
  // The rings clip to their target: the band's own rows.
  const PixelTarget band = BandOf(target, clip);
  if (ring == 1) {
    burst(8.0f, 168);
    DrawRing(band, left + 24, top + 24 - clip.top, 40 * n, width);
  } else if (ring == 2) {
    burst(4.0f, 72);
    DrawRing(band, left + 24, top + 24 - clip.top, 20 * n, width / 2);
  } else {
    burst(2.0f, 24);
  }
  const StoneSet& set = game_.resources.Stones(game_.options.GraphicSet);
  const int32_t removed = game_.rules.effects.RemovedCodeGrid[row][column];
  if (removed >= 1 && removed <= 6) {
    const TextureHandle sheet = removed <= 4 ? set.stoneAnimation[static_cast<size_t>(removed - 1)]
                                : removed == kConnector ? set.connectorAnimation
                                                        : set.multiplierAnimation;
    game_.sprites.DrawPartWithin(target, clip, sheet,
                                 {.centreX = 24.0f, .centreY = 24.0f, .x = left, .y = top}, source,
                                 kWhite);
  }
}

}  // namespace kb
