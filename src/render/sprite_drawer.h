#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "gfx/image.h"
#include "gfx/raster.h"
#include "platform/file_system.h"
#include "render/renderer.h"

namespace kb {

// Handles into the drawer's stores; a negative handle is empty and draws nothing.
using TextureHandle = int32_t;
using SurfaceHandle = int32_t;
constexpr int32_t kNoHandle = -1;

// Loads pictures once at start-up and draws them into the renderer's back
// buffer by the sprite placement rule.
class SpriteDrawer {
 public:
  SpriteDrawer(Renderer& renderer, platform::FileSystem& files);

  // A texture of exactly width x height (a picture of another size is
  // resampled), opaque black made transparent. A missing or damaged file gives
  // kNoHandle and is reported once on standard error.
  TextureHandle LoadTexture(std::string_view file, int width, int height);
  // A surface always exists; when the file cannot be read it stays black
  // (reported once). The first default-pool surface is the staging surface
  // that every background is copied through.
  SurfaceHandle LoadSurface(std::string_view file, bool inDefaultPool, int width, int height);
  // MENDED: gives back the memory of the file buffer the loads share (up to
  // 32 MiB); the game calls it when every picture is loaded.
  void ReleaseFileBuffer() { std::vector<uint8_t>().swap(fileBuffer_); }

  // The whole texture, or a rectangle of it, by the placement rule
  // (gfx/raster.h), tinted by argb.
  void Draw(TextureHandle texture, const SpritePlacement& placement, uint32_t argb);
  void DrawPart(TextureHandle texture, const SpritePlacement& placement, SourceRect source,
                uint32_t argb);
  // A rectangle of the texture (the whole one without `source`) as DrawPart
  // puts it, only the pixels inside `clip`, into `target`, touching nothing
  // else: two threads may draw two parts of one picture at once.
  void DrawPartWithin(PixelTarget target, PixelRect clip, TextureHandle texture,
                      const SpritePlacement& placement, std::optional<SourceRect> source,
                      uint32_t argb) const;
  // Every pixel Draw may change, before clipping to the screen.
  PixelRect Bounds(TextureHandle texture, const SpritePlacement& placement, uint32_t argb) const;
  // Copies the surface into the rectangle of the given size centred on the
  // point, with integer halves on each side.
  void DrawSurface(SurfaceHandle surface, int centreX, int centreY, int width, int height);
  // Through the staging surface onto the whole screen.
  void DrawBackground(SurfaceHandle surface);

  const Image* Texture(TextureHandle handle) const;
  // The surface's pixels as they are drawn (a copy; empty for no surface).
  Image SurfacePicture(SurfaceHandle handle) const;
  size_t TextureCount() const { return textures_.size(); }

 private:
  bool ReadPicture(std::string_view file, Image& out);

  Renderer& renderer_;
  platform::FileSystem& files_;
  // The staging surface is kept as the pixels it is drawn from. The
  // backgrounds are drawn only through it, one at a time: each is kept as its
  // file (some 80 KB of JPEG instead of 3 MB of pixels) and decoded into the
  // staging surface when another background is drawn, which takes a few
  // milliseconds. A file that could not be read leaves no bytes: black.
  struct StoredSurface {
    Image pixels;
    std::vector<uint8_t> file;
    int width = 0;
    int height = 0;
  };
  const StoredSurface* FindSurface(SurfaceHandle handle) const;

  std::vector<Image> textures_;
  std::vector<StoredSurface> surfaces_;
  SurfaceHandle staging_ = kNoHandle;
  // The background the staging surface holds a copy of; surfaces never change
  // after loading, so drawing the same background again needs no new copy.
  SurfaceHandle stagingHolds_ = kNoHandle;
  std::vector<uint8_t> fileBuffer_;
};

}  // namespace kb
