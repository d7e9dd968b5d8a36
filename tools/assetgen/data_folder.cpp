#include "data_folder.h"

#include <cstdio>
#include <future>
#include <system_error>

#include "font.h"
#include "gfx/bmp_encoder.h"
#include "icon.h"
#include "jpeg_writer.h"
#include "png_writer.h"

namespace kb::assetgen {
namespace {

constexpr int kJpegQuality = 92;
constexpr const char* kOptionsFileName = "Optionen.bin";

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
  const std::vector<CatalogueEntry> catalogue = BuildCatalogue();
  // The music tracks take longest; each is composed on a thread of its own
  // while the pictures are painted. Every file depends on nothing but its
  // own entry, so the bytes are the same as in one thread.
  struct Produced {
    std::vector<uint8_t> bytes;
    std::string error;
  };
  std::vector<std::future<Produced>> music(catalogue.size());
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    if (catalogue[i].format != AssetFormat::kOgg) continue;
    music[i] = std::async(std::launch::async, [&entry = catalogue[i]] {
      Produced p;
      p.bytes = ProduceFile(entry, &p.error);
      return p;
    });
  }
  bool ok = true;
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    Produced produced;
    if (music[i].valid()) {
      produced = music[i].get();
    } else if (ok) {
      produced.bytes = ProduceFile(catalogue[i], &produced.error);
    }
    if (!ok) continue;  // the remaining threads are still waited for
    if (produced.bytes.empty()) {
      *error = produced.error;
      ok = false;
    } else if (!WriteWhole(root / catalogue[i].path, produced.bytes, error)) {
      ok = false;
    }
  }
  if (!ok) return false;
  // The options file belongs to the player once it exists.
  std::error_code ec;
  if (!std::filesystem::exists(root / kOptionsFileName, ec))
    return WriteDefaultsFolder(root, error);
  return true;
}

bool WriteDefaultsFolder(const std::filesystem::path& folder, std::string* error) {
  return WriteWhole(folder / kOptionsFileName, DefaultOptionsFile(), error);
}

bool WriteIconFolder(const std::filesystem::path& folder, const std::vector<int>& sizes,
                     std::string* error) {
  for (int size : sizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
    const std::vector<uint8_t> bytes = EncodePng(PaintIcon(size));
    if (bytes.empty()) {
      *error = "encoding failed: " + name;
      return false;
    }
    if (!WriteWhole(folder / name, bytes, error)) return false;
  }
  return true;
}

}  // namespace kb::assetgen
