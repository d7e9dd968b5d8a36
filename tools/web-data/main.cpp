// kb_web_data DATA_FOLDER OUT_FOLDER: the data folder as the browser version
// packs it. The browser version carries no JPEG or PNG decoder, so every such
// picture is decoded here with the game's own decoders and stored, under its
// own name, as a BMP of exactly the same pixels (the game tells a picture's
// format by its first bytes, not by its name); every other file is copied.
// The player's files, which a played build folder holds, stay behind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/data_files.h"
#include "gfx/bmp_encoder.h"
#include "gfx/image_decoder.h"

namespace {

std::vector<uint8_t> ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool WriteWhole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool IsJpegOrPng(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xD8) || bytes[0] == 0x89);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Aufruf: kb_web_data DATENORDNER ZIELORDNER\n");
    return 2;
  }
  const std::filesystem::path from = argv[1];
  const std::filesystem::path to = argv[2];
  int converted = 0;
  for (const std::string& gamePath : kb::data_files::EveryFile()) {
    const std::string relative = kb::GamePathToUtf8(gamePath);
    std::vector<uint8_t> bytes = ReadWhole(from / relative);
    if (bytes.empty()) {
      std::fprintf(stderr, "kb_web_data: %s fehlt\n", relative.c_str());
      return 1;
    }
    if (IsJpegOrPng(bytes)) {
      std::string error;
      const std::optional<kb::Image> picture = kb::DecodeImage(bytes, &error);
      if (!picture) {
        std::fprintf(stderr, "kb_web_data: %s: %s\n", relative.c_str(), error.c_str());
        return 1;
      }
      bytes = kb::EncodeBmp(*picture);
      const std::optional<kb::Image> again = kb::DecodeImage(bytes, nullptr);
      if (!again || again->width != picture->width || again->pixels != picture->pixels) {
        std::fprintf(stderr, "kb_web_data: %s gibt als BMP andere Pixel\n", relative.c_str());
        return 1;
      }
      ++converted;
    }
    if (!WriteWhole(to / relative, bytes)) {
      std::fprintf(stderr, "kb_web_data: %s nicht schreibbar\n", (to / relative).c_str());
      return 1;
    }
  }
  std::printf("kb_web_data: %zu Dateien, davon %d Bilder als BMP\n",
              kb::data_files::EveryFile().size(), converted);
  return 0;
}
