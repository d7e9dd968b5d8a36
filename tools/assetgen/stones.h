#pragma once

#include <string>

#include "canvas.h"

namespace kb::assetgen {

constexpr int kStoneSize = 48;
constexpr int kStoneSetCount = 6;

enum class StoneKind { kRed, kGreen, kBlue, kYellow, kConnector, kMultiplier, kIndestructible };

// The folder name of stone set 0 to 5 below "Grafiksets", UTF-8.
std::string StoneSetFolder(int set);

// 48 x 48 pictures of one stone set, transparent around the stone.
Canvas PaintStone(int set, StoneKind kind, bool marked);
Canvas PaintCursor(int set);
Canvas PaintSwapMarker(int set);

}  // namespace kb::assetgen
