#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/raster.h"
#include "snake_art.h"

namespace kb::assetgen {
namespace {

enum Dir { kLeft, kUp, kRight, kDown };
constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};
constexpr uint32_t kGround = 0xFF123456u;

struct Drawn {
  SnakePiece piece;
  float angle;
};

// The game's drawing table: image and angle by the piece's own direction
// and the direction of the piece ahead of it.
Drawn BodyRow(int own, int ahead) {
  static const Drawn kRows[4][4] = {
      {{SnakePiece::kBody, 0.0f},
       {SnakePiece::kBodyRound, 3.14f},
       {},
       {SnakePiece::kBodyRound, 1.57f}},
      {{SnakePiece::kBodyRound, 0.0f},
       {SnakePiece::kBody, 1.57f},
       {SnakePiece::kBodyRound, 1.57f},
       {}},
      {{},
       {SnakePiece::kBodyRound, 4.71f},
       {SnakePiece::kBody, 0.0f},
       {SnakePiece::kBodyRound, 0.0f}},
      {{SnakePiece::kBodyRound, 4.71f},
       {},
       {SnakePiece::kBodyRound, 3.14f},
       {SnakePiece::kBody, 1.57f}},
  };
  return kRows[own][ahead];
}

Drawn TailRow(int own, int ahead) {
  static const Drawn kRows[4][4] = {
      {{SnakePiece::kEnd, 0.0f}, {SnakePiece::kEndRight, 4.71f}, {}, {SnakePiece::kEndLeft, 1.57f}},
      {{SnakePiece::kEndLeft, 0.0f}, {SnakePiece::kEnd, 4.71f}, {SnakePiece::kEndRight, 3.14f}, {}},
      {{},
       {SnakePiece::kEndLeft, 4.71f},
       {SnakePiece::kEnd, 3.14f},
       {SnakePiece::kEndRight, 1.57f}},
      {{SnakePiece::kEndRight, 0.0f}, {}, {SnakePiece::kEndLeft, 3.14f}, {SnakePiece::kEnd, 1.57f}},
  };
  return kRows[own][ahead];
}

Drawn HeadRow(int own) {
  static const Drawn kRows[4] = {{SnakePiece::kHeadLeft, 0.0f},
                                 {SnakePiece::kHead, 0.0f},
                                 {SnakePiece::kHeadRight, 0.0f},
                                 {SnakePiece::kHead, 3.14f}};
  return kRows[own];
}

class Field {
 public:
  explicit Field(int set) : set_(set), screen_(5 * 48, 5 * 48, kGround) {}

  void Draw(Drawn drawn, int column, int row) {
    Image image = PaintSnakePiece(set_, drawn.piece).ToKeyedImage();
    ApplyColourKey(image);
    SpritePlacement placement;
    placement.centreX = 24.0f;
    placement.centreY = 24.0f;
    placement.rotation = drawn.angle;
    placement.x = column * 48;
    placement.y = row * 48;
    DrawSprite(PixelTarget{screen_.pixels.data(), screen_.width, screen_.height}, image,
               SourceRect{0, 0, 48, 48}, placement, 0xFFFFFFFFu);
  }

  // The body's cross-section on either side of the edge between cell (2, 2)
  // and its neighbour in direction dir: first and last covered pixel along
  // the edge, from inside and from outside the centre cell.
  void ExpectJoin(int dir, const std::string& what) const {
    int inside[2] = {99, -1};
    int outside[2] = {99, -1};
    for (int k = 0; k < 48; ++k) {
      int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
      if (dir == kLeft || dir == kRight) {
        x0 = dir == kLeft ? 96 : 143;
        x1 = dir == kLeft ? 95 : 144;
        y0 = y1 = 96 + k;
      } else {
        y0 = dir == kUp ? 96 : 143;
        y1 = dir == kUp ? 95 : 144;
        x0 = x1 = 96 + k;
      }
      for (auto [x, y, span] : {std::tuple{x0, y0, inside}, std::tuple{x1, y1, outside}}) {
        if (screen_.At(x, y) == kGround) continue;
        span[0] = std::min(span[0], k);
        span[1] = std::max(span[1], k);
      }
    }
    ASSERT_LE(inside[0], inside[1]) << what << ": nothing reaches the edge from inside";
    ASSERT_LE(outside[0], outside[1]) << what << ": nothing reaches the edge from outside";
    EXPECT_NEAR(inside[0], outside[0], 1) << what;
    EXPECT_NEAR(inside[1], outside[1], 1) << what;
    EXPECT_GT(inside[1] - inside[0], 18) << what;  // the full body, not a sliver
  }

  // Covered pixels in the half of cell (2, 2) on the side of dir.
  int InkTowards(int dir) const {
    int n = 0;
    for (int y = 96; y < 144; ++y) {
      for (int x = 96; x < 144; ++x) {
        const int along = dir == kLeft || dir == kRight ? x - 120 : y - 120;
        const bool towards = (dir == kLeft || dir == kUp) ? along < 0 : along >= 0;
        if (towards && screen_.At(x, y) != kGround) ++n;
      }
    }
    return n;
  }

 private:
  int set_;
  Image screen_;
};

std::string Name(const char* kind, int own, int ahead) {
  static const char* const kNames[4] = {"left", "up", "right", "down"};
  return std::string(kind) + " own " + kNames[own] + " ahead " + (ahead < 0 ? "-" : kNames[ahead]);
}

// Every row of the drawing table, drawn with the game's rasteriser between
// straight neighbours: the piece in front sits in the direction of the piece
// ahead, the piece behind opposite to the piece's own direction, and the
// body runs across each shared edge at the same width and place.
TEST(AssetSnakeJoinTest, EveryTableRowJoinsItsNeighbours) {
  for (int set = 0; set < kSnakeSetCount; ++set) {
    SCOPED_TRACE("set " + std::to_string(set));
    for (int own = 0; own < 4; ++own) {
      const int behind = (own + 2) % 4;
      for (int ahead = 0; ahead < 4; ++ahead) {
        if (ahead == behind) continue;  // a reversal is not drawn
        for (bool tail : {false, true}) {
          Field field(set);
          field.Draw(tail ? TailRow(own, ahead) : BodyRow(own, ahead), 2, 2);
          field.Draw(BodyRow(ahead, ahead), 2 + kDx[ahead], 2 + kDy[ahead]);
          if (!tail) field.Draw(BodyRow(own, own), 2 + kDx[behind], 2 + kDy[behind]);
          const std::string what = Name(tail ? "tail" : "body", own, ahead);
          field.ExpectJoin(ahead, what);
          if (!tail) field.ExpectJoin(behind, what);
          // A curled tail bends back the way it came.
          if (tail && ahead != own) {
            EXPECT_GT(field.InkTowards(behind), field.InkTowards(own)) << what;
          }
        }
      }
      Field field(set);
      field.Draw(HeadRow(own), 2, 2);
      field.Draw(BodyRow(own, own), 2 + kDx[behind], 2 + kDy[behind]);
      field.ExpectJoin(behind, Name("head", own, -1));
    }
  }
}

}  // namespace
}  // namespace kb::assetgen
