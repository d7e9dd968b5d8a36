#include <cmath>

#include "app/game.h"

namespace kb {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr int32_t kRightHalfShift = 256;

}  // namespace

void Game::DrawBoard() {
  const StoneSet& set = resources.Stones(options.GraphicSet);
  const bool split = IsTwoPlayer();
  for (int32_t column = 0; column < kBoardSize; ++column) {
    const int32_t left = column * kCellSize + (split && column >= kHalfWidth ? kRightHalfShift : 0);
    for (int32_t row = 0; row < kBoardSize; ++row) {
      const StoneCode code = rules.board.CellAt(row, column);
      const uint8_t mark = rules.marks[row][column];
      const int32_t top = row * kCellSize;
      if (code == kEmpty || mark > 1) continue;
      if (IsColour(code)) {
        const size_t colour = static_cast<size_t>(code - 1);
        if (mark == 0) {
          sprites.Draw(set.stone[colour], 1.0f, 1.0f, 24.0f, 24.0f, 0.0f, left, top, kWhite);
        } else {
          sprites.Draw(set.stoneMarked[colour], 1.0f, 1.0f, 24.0f, 24.0f, SpinAngle, left, top,
                       kWhite);
        }
        continue;
      }
      // Marked connectors and multipliers pulse about the cell's centre.
      const int32_t pulseLeft = left + 24 - static_cast<int32_t>(std::trunc(24.0f * PulseX));
      const int32_t pulseTop = top + 24 - static_cast<int32_t>(std::trunc(24.0f * PulseY));
      if (code == kConnector) {
        if (mark == 0) {
          sprites.Draw(set.connector, 1.0f, 1.0f, 24.0f, 24.0f, 0.0f, left, top, kWhite);
        } else {
          sprites.Draw(set.connectorMarked, PulseX, PulseY, 24.0f * PulseX, 24.0f * PulseY,
                       SpinAngle, pulseLeft, pulseTop, kWhite);
        }
      } else if (code == kMultiplier) {
        if (mark == 0) {
          sprites.Draw(set.multiplier, 1.0f, 1.0f, 24.0f, 24.0f, 0.0f, left, top, kWhite);
        } else {
          sprites.Draw(set.multiplierMarked, PulseX, PulseY, 24.0f, 24.0f, 0.0f, pulseLeft,
                       pulseTop, kWhite);
        }
      } else if (code == kIndestructible) {
        sprites.Draw(set.indestructible, 1.0f, 1.0f, 24.0f, 24.0f, 0.0f, left, top, kWhite);
      }
    }
  }
  const ScreenPoint first = rules.match.SwapFirst;
  if (first.x > 0) {
    sprites.Draw(set.swapMarker, 1.0f, 1.0f, 24.0f, 24.0f, 0.0f, first.x - 24 + (split ? 640 : 0),
                 first.y - 24, kWhite);
  }
}

}  // namespace kb
