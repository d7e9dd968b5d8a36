#pragma once

#include "canvas.h"
#include "core/data_files.h"

namespace kb::assetgen {

using data_files::kSnakeSetCount;
using data_files::SnakePiece;

// A 48 x 48 piece of a snake set, drawn for rotation angle 0.
Canvas PaintSnakePiece(int set, SnakePiece piece);

}  // namespace kb::assetgen
