#include "data_folder.h"

#include <cstdio>
#include <system_error>

#include "font.h"
#include "gfx/bmp_encoder.h"
#include "jpeg_writer.h"

namespace kb::assetgen {
namespace {

constexpr int kJpegQuality = 92;

// Writes the whole file under a temporary name first, so an interrupted run
// never leaves a truncated asset behind.
bool WriteWhole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes,
                std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) {
    *error = "cannot create folder " + path.parent_path().string() + ": " + ec.message();
    return false;
  }
  std::filesystem::path temporary = path;
  temporary += ".part";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    *error = "cannot write " + temporary.string();
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::filesystem::remove(temporary, ec);
    *error = "cannot write " + path.string();
    return false;
  }
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    *error = "cannot rename " + temporary.string() + ": " + ec.message();
    return false;
  }
  return true;
}

void PutU32(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

std::vector<uint8_t> DefaultOptionsFile() {
  std::vector<uint8_t> out;
  for (int32_t value : {128, 20, 9, 0, 0}) PutU32(out, value);
  return out;
}

std::vector<uint8_t> ProduceFile(const CatalogueEntry& entry, std::string* error) {
  if (entry.sound) {
    std::vector<uint8_t> bytes = entry.sound();
    if (bytes.empty()) *error = "encoding failed: " + entry.path;
    return bytes;
  }
  const Image image = entry.paint();
  if (image.width != entry.width || image.height != entry.height) {
    *error = "wrong picture size for " + entry.path;
    return {};
  }
  std::vector<uint8_t> bytes =
      entry.format == AssetFormat::kJpeg ? EncodeJpeg(image, kJpegQuality) : EncodeBmp(image);
  if (bytes.empty()) *error = "encoding failed: " + entry.path;
  return bytes;
}

bool WriteDataFolder(const std::filesystem::path& root, std::string* error) {
  if (!FontsAvailable()) {
    *error = "the DejaVu fonts are missing (package fonts-dejavu-core)";
    return false;
  }
  for (const CatalogueEntry& entry : BuildCatalogue()) {
    const std::vector<uint8_t> bytes = ProduceFile(entry, error);
    if (bytes.empty()) return false;
    if (!WriteWhole(root / entry.path, bytes, error)) return false;
  }
  // The options file belongs to the player once it exists.
  const std::filesystem::path options = root / "Optionen.bin";
  std::error_code ec;
  if (!std::filesystem::exists(options, ec)) {
    if (!WriteWhole(options, DefaultOptionsFile(), error)) return false;
  }
  return true;
}

}  // namespace kb::assetgen
