#include "render/sprite_drawer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/cp1252.h"
#include "core/report.h"
#include "gfx/image_decoder.h"
#include "gfx/raster.h"

namespace kb {
namespace {

// Most pictures already have the size the game asks for; they are kept as
// decoded instead of copied, which at start-up spares a copy of every picture.
Image FitTo(Image picture, int width, int height) {
  if (picture.width == width && picture.height == height) return picture;
  return ResampleNearest(picture, width, height);
}

}  // namespace

SpriteDrawer::SpriteDrawer(Renderer& renderer, platform::FileSystem& files)
    : renderer_(renderer), files_(files) {}

// MENDED: a missing, oversized or damaged picture is reported once on standard
// error; its texture draws nothing and its surface stays black.
bool SpriteDrawer::ReadPicture(std::string_view file, Image& out) {
  const std::string shown(file);
  const platform::ReadResult read =
      files_.ReadFile(file, fileBuffer_, platform::kMaxMediaFileBytes);
  if (read == platform::ReadResult::kTooLarge) {
    ReportProblem("Bild ist zu groß: "_cp + shown);
    return false;
  }
  if (read != platform::ReadResult::kRead) {
    ReportProblem("Bild fehlt oder ist nicht lesbar: " + shown);
    return false;
  }
  std::string error;
  std::optional<Image> image = DecodeImage(fileBuffer_, &error);
  if (!image) {
    ReportProblem("Bild ist beschädigt: "_cp + shown + " (" + error + ")");
    return false;
  }
  out = std::move(*image);
  return true;
}

TextureHandle SpriteDrawer::LoadTexture(std::string_view file, int width, int height) {
  Image picture;
  if (width <= 0 || height <= 0 || !ReadPicture(file, picture)) return kNoHandle;
  Image texture = FitTo(std::move(picture), width, height);
  ApplyColourKey(texture);
  textures_.push_back(std::move(texture));
  return static_cast<TextureHandle>(textures_.size() - 1);
}

SurfaceHandle SpriteDrawer::LoadSurface(std::string_view file, bool inDefaultPool, int width,
                                        int height) {
  StoredSurface surface;
  surface.width = std::max(width, 1);
  surface.height = std::max(height, 1);
  const bool staging = inDefaultPool && staging_ == kNoHandle;
  Image picture;
  const bool read = ReadPicture(file, picture);
  if (staging) {
    surface.pixels = read ? FitTo(std::move(picture), surface.width, surface.height)
                          : Image(surface.width, surface.height);
  } else if (read) {
    surface.file = fileBuffer_;
  }
  surfaces_.push_back(std::move(surface));
  const auto handle = static_cast<SurfaceHandle>(surfaces_.size() - 1);
  if (staging) staging_ = handle;
  return handle;
}

const Image* SpriteDrawer::Texture(TextureHandle handle) const {
  if (handle < 0 || static_cast<size_t>(handle) >= textures_.size()) return nullptr;
  return &textures_[static_cast<size_t>(handle)];
}

const SpriteDrawer::StoredSurface* SpriteDrawer::FindSurface(SurfaceHandle handle) const {
  if (handle < 0 || static_cast<size_t>(handle) >= surfaces_.size()) return nullptr;
  return &surfaces_[static_cast<size_t>(handle)];
}

Image SpriteDrawer::SurfacePicture(SurfaceHandle handle) const {
  const StoredSurface* surface = FindSurface(handle);
  if (surface == nullptr) return {};
  if (!surface->pixels.Empty()) return surface->pixels;
  // The file decoded as at loading, where it was found sound.
  std::optional<Image> picture = surface->file.empty() ? std::nullopt : DecodeImage(surface->file);
  return picture ? FitTo(std::move(*picture), surface->width, surface->height)
                 : Image(surface->width, surface->height);
}

void SpriteDrawer::Draw(TextureHandle texture, const SpritePlacement& placement, uint32_t argb) {
  const Image* image = Texture(texture);
  if (image == nullptr) return;
  DrawSprite(renderer_.BackBuffer(), *image, SourceRect{0, 0, image->width, image->height},
             placement, argb);
}

void SpriteDrawer::DrawPart(TextureHandle texture, const SpritePlacement& placement,
                            SourceRect source, uint32_t argb) {
  const Image* image = Texture(texture);
  if (image == nullptr) return;
  DrawSprite(renderer_.BackBuffer(), *image, source, placement, argb);
}

void SpriteDrawer::DrawPartWithin(PixelTarget target, PixelRect clip, TextureHandle texture,
                                  const SpritePlacement& placement,
                                  std::optional<SourceRect> source, uint32_t argb) const {
  const Image* image = Texture(texture);
  if (image == nullptr) return;
  DrawSpriteWithin(target, clip, *image,
                   source.value_or(SourceRect{0, 0, image->width, image->height}), placement, argb);
}

PixelRect SpriteDrawer::Bounds(TextureHandle texture, const SpritePlacement& placement,
                               uint32_t argb) const {
  const Image* image = Texture(texture);
  if (image == nullptr) return {};
  return SpriteBounds(*image, SourceRect{0, 0, image->width, image->height}, placement, argb);
}

void SpriteDrawer::DrawSurface(SurfaceHandle surface, int centreX, int centreY, int width,
                               int height) {
  const Image image = SurfacePicture(surface);
  if (image.Empty()) return;
  StretchCopy(renderer_.BackBuffer(), image, centreX - width / 2, centreY - height / 2,
              centreX + width / 2, centreY + height / 2);
}

void SpriteDrawer::DrawBackground(SurfaceHandle surface) {
  if (FindSurface(surface) == nullptr || staging_ == kNoHandle) return;
  // KEPT: every background is copied through the staging surface first, so the
  // picture loaded for the staging surface itself is never shown.
  Image& staging = surfaces_[static_cast<size_t>(staging_)].pixels;
  if (surface != staging_ && stagingHolds_ != surface) {
    stagingHolds_ = surface;
    Image source = SurfacePicture(surface);
    if (source.width == staging.width && source.height == staging.height) {
      staging = std::move(source);
    } else {
      const int w = std::min(source.width, staging.width);
      const int h = std::min(source.height, staging.height);
      for (int y = 0; y < h; ++y) {
        std::copy_n(source.pixels.begin() + static_cast<std::ptrdiff_t>(y) * source.width, w,
                    staging.pixels.begin() + static_cast<std::ptrdiff_t>(y) * staging.width);
      }
    }
  }
  const PixelTarget target =
      staging.Empty() ? renderer_.BackBuffer() : renderer_.BackBufferToCover();
  StretchCopy(target, staging, 0, 0, platform::kScreenWidth, platform::kScreenHeight);
}

}  // namespace kb
