#pragma once

#include <algorithm>
#include <cstdint>

#include "rules/board.h"

namespace kb {

// Cursor positions are cell centres in pixels. Every conversion to a cell index is
// clamped, so a pointer on the screen's last pixel row or column never addresses
// row or column 16.

constexpr int32_t CellCentre(int32_t index) {
  return index * kCellSize + kCellSize / 2;
}

constexpr int32_t ClampCell(int32_t index) {
  return std::clamp(index, 0, kBoardSize - 1);
}

// The cell of a cursor centre: (x + 24) / 48 - 1.
constexpr int32_t CellOfCursor(int32_t centre) {
  return ClampCell((centre + kCellSize / 2) / kCellSize - 1);
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

}  // namespace kb
