#pragma once

#include "canvas.h"
#include "core/data_files.h"

namespace kb::assetgen {

constexpr int kStoneSize = data_files::kCellSize;
using data_files::kStoneSetCount;

enum class StoneKind { kRed, kGreen, kBlue, kYellow, kConnector, kMultiplier, kIndestructible };

// 48 x 48 pictures of one stone set, transparent around the stone.
Canvas PaintStone(int set, StoneKind kind, bool marked);
Canvas PaintCursor(int set);
Canvas PaintSwapMarker(int set);

}  // namespace kb::assetgen
