#pragma once

#include <algorithm>
#include <cstdint>

#include "rules/board.h"

namespace kb {

// Cursor positions are cell centres in pixels.
// MENDED: every conversion to a cell index is clamped, so a pointer on the screen's
// last pixel row or column never addresses row or column 16.

constexpr int32_t CellCentre(int32_t index) {
  return index * kCellSize + kCellSize / 2;
}

// Where the cursors stand at the start of a match, a level and a bout: the
// centre of the bottom-left cell, (24, 744).
inline constexpr int32_t kCursorHomeX = CellCentre(0);
inline constexpr int32_t kCursorHomeY = CellCentre(kBoardSize - 1);

constexpr int32_t ClampCell(int32_t index) {
  return std::clamp(index, 0, kBoardSize - 1);
}

// The cell of a cursor centre: (x + 24) / 48 - 1.
constexpr int32_t CellOfCursor(int32_t centre) {
  return ClampCell((centre + kCellSize / 2) / kCellSize - 1);
}

// The column within a half of the split board, 0 to 7, of a cursor centre counted from
// the half's left edge.
constexpr int32_t HalfCellOfCursor(int32_t centre) {
  return std::min(CellOfCursor(centre), kHalfWidth - 1);
}

// The cell of a stone-swap position: x / 48.
constexpr int32_t CellOfSwapPoint(int32_t centre) {
  return ClampCell(centre / kCellSize);
}

// The centre of the cell under a pointer coordinate; the pointer may stand at 768,
// one pixel beyond the last row, which still means the last cell.
constexpr int32_t CentreUnderPointer(int32_t pointer) {
  const int32_t p = std::clamp(pointer, 0, kBoardPixels - 1);
  return p - p % kCellSize + kCellSize / 2;
}

// The right half of the split board is drawn from this screen x on. The right
// player's cursor and swap positions count from this edge, so they are drawn
// this far to the right.
inline constexpr int32_t kRightHalfScreenX = 640;
// The width of one half on the screen.
inline constexpr int32_t kHalfPixels = kHalfWidth * kCellSize;
// Columns 8 to 15 of the split board, and what bursts in them, stand this far
// to the right of where the one-player board draws them: 640 - 384 = 256, the
// gap between the halves.
inline constexpr int32_t kRightHalfShift = kRightHalfScreenX - kHalfPixels;

// The centre of the cell under a pointer coordinate, not limited to the board; the
// callers test the result against their own bounds.
constexpr int32_t CentreOfPointerCell(int32_t pointer) {
  const int32_t p = std::max(pointer, 0);
  return p - p % kCellSize + kCellSize / 2;
}

// The centre, counted from the right half's left edge, of the right-half cell under a
// pointer x of 640 or more.
// MENDED: the pointer can stand at 1024, one pixel beyond the last column, which
// still means the last column.
constexpr int32_t RightHalfCentreUnderPointer(int32_t pointerX) {
  const int32_t local = std::clamp(pointerX - kRightHalfScreenX, 0, kHalfPixels - 1);
  return local - local % kCellSize + kCellSize / 2;
}

}  // namespace kb
