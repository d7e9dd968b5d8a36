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
    s.centre = Vec2{8.0f + 16.0f * static_cast<float>(i % 3) + random.Range(-4.0f, 4.0f),
                    8.0f + 16.0f * static_cast<float>(i / 3) + random.Range(-4.0f, 4.0f)};
    Vec2 out = s.centre - Vec2{24.0f, 24.0f};
    if (Length(out) < 1.0f) out = Vec2{random.Signed(), -1.0f};
    s.direction = out * (1.0f / Length(out));
    s.spin = random.Range(-1.0f, 1.0f) * 2.6f;
    s.speed = random.Range(0.75f, 1.15f);
  }
  // Which shard each pixel of the intact stone belongs to, and its borders.
  std::array<int, kCell * kCell> label{};
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
  Canvas sheet(kCell * kSheetColumns, kCell * kSheetRows);
  AssetRandom random(77);
  std::array<float, 12> sparkAngles{};
  for (float& a : sparkAngles) a = random.Range(0.0f, 2.0f * kPi);
  for (int step = 0; step < kAnimationSteps; ++step) {
    int column = 0, row = 0;
    SheetCell(step, &column, &row);
    const int ox = column * kCell;
    const int oy = row * kCell;
    const float t = static_cast<float>(step) / static_cast<float>(kAnimationSteps - 1);
    const float radius = 6.0f + 17.0f * std::sqrt(t);
    const float heat = std::max(0.0f, 1.0f - 1.25f * t);  // white-hot early, smoke late
    const float holes = std::max(0.0f, (t - 0.35f) * 1.1f);
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        const Vec2 d{static_cast<float>(x) + 0.5f - 24.0f, static_cast<float>(y) + 0.5f - 24.0f};
        const float r = Length(d);
        const float angle = std::atan2(d.y, d.x);
        const float edge = radius * (0.78f + 0.36f * FractalNoise(std::cos(angle) * 2.0f + t * 3.0f,
                                                                  std::sin(angle) * 2.0f, 5, 3));
        if (r > edge) continue;
        const float turbulence = FractalNoise(d.x * 0.16f + t * 4.0f, d.y * 0.16f, 9, 3);
        if (turbulence < holes * (0.6f + 0.6f * r / edge)) continue;  // the cloud tears apart
        const float inner = r / edge;
        const float glow =
            std::clamp((1.0f - inner) * (0.6f + turbulence) * (0.4f + heat), 0.0f, 1.0f);
        Rgba c;
        if (glow > 0.75f) {
          c = Mix(FromHex(0xFFD040), FromHex(0xFFFFE8), (glow - 0.75f) * 4.0f);
        } else if (glow > 0.4f) {
          c = Mix(FromHex(0xF05010), FromHex(0xFFD040), (glow - 0.4f) / 0.35f);
        } else {
          c = Mix(FromHex(0x3A302C), FromHex(0xF05010), glow / 0.4f);
        }
        c = Mix(c, FromHex(0x4A4440), std::clamp(t * 0.9f - glow * 0.5f, 0.0f, 0.8f));
        sheet.At(ox + x, oy + y) = c;
      }
    }
    // Sparks thrown ahead of the cloud in the first steps.
    if (step < 9) {
      for (float a : sparkAngles) {
        const float reach = radius + 2.0f + 10.0f * t;
        const Vec2 dir{std::cos(a), std::sin(a)};
        for (float s = reach - 3.0f; s < reach; s += 0.5f) {
          const int x = static_cast<int>(24.0f + dir.x * s);
          const int y = static_cast<int>(24.0f + dir.y * s);
          if (x >= 0 && y >= 0 && x < kCell && y < kCell) {
            sheet.At(ox + x, oy + y) = FromHex(step < 5 ? 0xFFF0A0 : 0xFF9030);
          }
        }
      }
    }
  }
  return sheet;
}

}  // namespace kb::assetgen
