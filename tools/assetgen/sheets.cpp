#include "sheets.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "noise.h"
#include "shapes.h"

namespace kb::assetgen {
namespace {

constexpr int kCell = 48;
constexpr int kShards = 9;
constexpr float kPi = 3.14159265f;

struct Shard {
  Vec2 centre;
  Vec2 direction;
  float spin = 0.0f;
  float speed = 0.0f;
};

int NearestShard(const std::array<Shard, kShards>& shards, Vec2 p) {
  int best = 0;
  float bestDistance = 1e9f;
  for (int i = 0; i < kShards; ++i) {
    const Vec2 d = p - shards[i].centre;
    const float dist = Dot(d, d);
    if (dist < bestDistance) {
      bestDistance = dist;
      best = i;
    }
  }
  return best;
}

}  // namespace

void SheetCell(int step, int* column, int* row) {
  const int n = step + 2;
  *column = (n - 1) % kSheetColumns;
  *row = n / kSheetColumns;
}

Canvas PaintRemovalSheet(const Canvas& stone, uint32_t seed) {
  Canvas sheet(kCell * kSheetColumns, kCell * kSheetRows);
  AssetRandom random(seed);
  std::array<Shard, kShards> shards;
  for (int i = 0; i < kShards; ++i) {
    Shard& s = shards[i];
    const int column = i % 3;
    const int row = i / 3;
    s.centre = Vec2{8.0f + 16.0f * static_cast<float>(column) + random.Range(-4.0f, 4.0f),
                    8.0f + 16.0f * static_cast<float>(row) + random.Range(-4.0f, 4.0f)};
    Vec2 out = s.centre - Vec2{24.0f, 24.0f};
    if (Length(out) < 1.0f) out = Vec2{random.Signed(), -1.0f};
    s.direction = out * (1.0f / Length(out));
    s.spin = random.Range(-1.0f, 1.0f) * 2.6f;
    s.speed = random.Range(0.75f, 1.15f);
  }
  // Which shard each pixel of the intact stone belongs to, and its borders.
  std::array<int, size_t{kCell} * kCell> label{};
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      label[y * kCell + x] =
          NearestShard(shards, Vec2{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
    }
  }
  auto onCrack = [&](int x, int y) {
    const int l = label[y * kCell + x];
    return (x + 1 < kCell && label[y * kCell + x + 1] != l) ||
           (y + 1 < kCell && label[(y + 1) * kCell + x] != l);
  };

  for (int step = 0; step < kAnimationSteps; ++step) {
    int column = 0, row = 0;
    SheetCell(step, &column, &row);
    const int ox = column * kCell;
    const int oy = row * kCell;
    const float t = static_cast<float>(step) / static_cast<float>(kAnimationSteps - 1);
    // First the stone cracks and flashes, then the pieces fly.
    const float fly = std::max(0.0f, (t - 0.1f) / 0.9f);
    const float flash = step < 3 ? 0.35f - 0.1f * static_cast<float>(step) : 0.0f;
    const float scale = 1.0f - 0.72f * std::pow(fly, 1.3f);
    const float fade = 1.0f - 0.6f * fly;
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
        for (int i = kShards - 1; i >= 0; --i) {
          const Shard& s = shards[i];
          const Vec2 moved = s.centre + s.direction * (17.0f * s.speed * std::pow(fly, 0.8f)) +
                             Vec2{0.0f, 9.0f * fly * fly};
          const Vec2 local = Rotate(p - moved, -s.spin * fly) * (1.0f / scale);
          const Vec2 q = s.centre + local;
          const int sx = static_cast<int>(std::floor(q.x));
          const int sy = static_cast<int>(std::floor(q.y));
          if (sx < 0 || sy < 0 || sx >= kCell || sy >= kCell) continue;
          if (label[sy * kCell + sx] != i) continue;
          const Rgba& source = stone.At(sx, sy);
          if (source.a < 0.5f) continue;
          Rgba c = Lighten(Scale(source, fade), flash);
          if (step < 4 && onCrack(sx, sy)) c = Rgba{0.06f, 0.05f, 0.05f, 1};
          sheet.At(ox + x, oy + y) = WithAlpha(c, 1.0f);
          break;
        }
      }
    }
  }
  return sheet;
}

Canvas PaintExplosionSheet() {
  // The board blows this sheet up to 2, 4 and 8 times its size without
  // smoothing, so it is built from broad shapes and soft gradients: a round
  // fireball with a few billows, a white-hot core that cools, embers of a few
  // pixels, and smoke that thins into holes at the end.
  Canvas sheet(kCell * kSheetColumns, kCell * kSheetRows);
  AssetRandom random(77);
  struct Ember {
    float angle, speed, size;
  };
  std::array<Ember, 7> embers{};
  for (Ember& e : embers) {
    e = Ember{random.Range(0.0f, 2.0f * kPi), random.Range(0.8f, 1.2f), random.Range(1.4f, 2.2f)};
  }
  const float phases[3] = {random.Range(0.0f, 6.0f), random.Range(0.0f, 6.0f),
                           random.Range(0.0f, 6.0f)};
  for (int step = 0; step < kAnimationSteps; ++step) {
    int column = 0, row = 0;
    SheetCell(step, &column, &row);
    const int ox = column * kCell;
    const int oy = row * kCell;
    const float t = static_cast<float>(step) / static_cast<float>(kAnimationSteps - 1);
    const float radius = 7.0f + 15.5f * (1.0f - std::pow(1.0f - t, 2.4f));
    const float heat = std::max(0.0f, 1.0f - 1.15f * t);  // white-hot early, smoke late
    const float tear = std::max(0.0f, (t - 0.45f) / 0.55f);
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        const Vec2 d{static_cast<float>(x) + 0.5f - 24.0f, static_cast<float>(y) + 0.5f - 24.0f};
        const float r = Length(d);
        const float angle = std::atan2(d.y, d.x);
        // Three slow billows around the rim, turning a little as it grows.
        float rim = 0.0f;
        for (int k = 0; k < 3; ++k) {
          rim += std::sin(angle * static_cast<float>(k + 3) + phases[k] + t * 1.5f) /
                 static_cast<float>(k + 3);
        }
        const float edge = radius * (0.9f + 0.22f * rim);
        if (r > edge) continue;
        const float inner = r / edge;
        // Broad smoke holes: noise with features a fifth of the cell wide.
        const float cloud = FractalNoise(d.x * 0.11f + t * 2.0f, d.y * 0.11f, 9, 2);
        if (cloud < tear * (0.55f + 0.5f * inner)) continue;
        const float glow = std::clamp(
            (1.0f - inner * inner) * (0.35f + 0.9f * heat) + 0.25f * (cloud - 0.5f), 0.0f, 1.0f);
        Rgba c;
        if (glow > 0.72f) {
          c = Mix(FromHex(0xFFD858), FromHex(0xFFFFF0), (glow - 0.72f) / 0.28f);
        } else if (glow > 0.38f) {
          c = Mix(FromHex(0xF25A14), FromHex(0xFFD858), (glow - 0.38f) / 0.34f);
        } else {
          c = Mix(FromHex(0x50302A), FromHex(0xF25A14), glow / 0.38f);
        }
        // Late frames turn to grey smoke, darkest at the rim.
        c = Mix(c, Mix(FromHex(0x6A625C), FromHex(0x3A3432), inner),
                std::clamp(t * 1.1f - glow * 0.6f, 0.0f, 0.85f));
        sheet.At(ox + x, oy + y) = c;
      }
    }
    // Embers thrown ahead of the cloud in the first half.
    if (step < 9) {
      for (const Ember& e : embers) {
        const float reach = radius * 0.8f + (6.0f + 16.0f * t) * e.speed;
        const Vec2 c{24.0f + std::cos(e.angle) * reach, 24.0f + std::sin(e.angle) * reach};
        const float size = e.size * (1.0f - 0.06f * static_cast<float>(step));
        FillShape(
            sheet, ox, oy, ox + kCell, oy + kCell,
            [&](Vec2 p) {
              return CircleSdf(p, Vec2{c.x + static_cast<float>(ox), c.y + static_cast<float>(oy)},
                               size);
            },
            [&](Vec2) { return FromHex(step < 4 ? 0xFFF0B0 : 0xFFA040); });
      }
    }
  }
  return sheet;
}

}  // namespace kb::assetgen
