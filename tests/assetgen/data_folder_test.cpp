#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "catalogue.h"
#include "data_folder.h"
#include "gfx/image_decoder.h"
#include "utf8.h"

namespace kb::assetgen {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t U16(const std::vector<uint8_t>& b, std::size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

bool RunGenerator(const fs::path& folder) {
  const std::string command =
      std::string("\"") + KB_ASSETGEN_EXE + "\" \"" + folder.string() + "\"";
  return std::system(command.c_str()) == 0;
}

// Length in seconds of an Ogg Vorbis file: the last page's granule position
// over the rate in the identification header.
double OggSeconds(const std::vector<uint8_t>& ogg) {
  if (ogg.size() < 64 || std::string(ogg.begin(), ogg.begin() + 4) != "OggS") return 0.0;
  // The identification packet starts right after the first page header.
  const std::size_t firstBody = 27 + ogg[26];
  if (ogg[firstBody] != 1 ||
      std::string(ogg.begin() + firstBody + 1, ogg.begin() + firstBody + 7) != "vorbis") {
    return 0.0;
  }
  const uint32_t rate = U32(ogg, firstBody + 12);
  for (std::size_t at = ogg.size() - 27; at > 0; --at) {
    if (ogg[at] == 'O' && ogg[at + 1] == 'g' && ogg[at + 2] == 'g' && ogg[at + 3] == 'S') {
      const uint64_t granule = U32(ogg, at + 6) | static_cast<uint64_t>(U32(ogg, at + 10)) << 32;
      return rate == 0 ? 0.0 : static_cast<double>(granule) / rate;
    }
  }
  return 0.0;
}

class AssetFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kb_assetgen_test_" + std::to_string(getpid()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
};

// One generator run checked as the game will load it; a second run into a
// fresh folder must give the same bytes.
TEST_F(AssetFolderTest, WritesTheWholeCatalogueDeterministically) {
  const fs::path first = root_ / "first";
  const fs::path second = root_ / "second";
  ASSERT_TRUE(RunGenerator(first));
  ASSERT_TRUE(RunGenerator(second));

  // A fresh folder gets the default options.
  const std::vector<uint8_t> options = ReadAll(first / "Optionen.bin");
  ASSERT_EQ(options.size(), 20u);
  EXPECT_EQ(options, DefaultOptionsFile());
  const int32_t expected[5] = {128, 20, 9, 0, 0};  // particles, ring, strength, set, snake set
  for (int i = 0; i < 5; ++i) EXPECT_EQ(static_cast<int32_t>(U32(options, 4 * i)), expected[i]);

  const std::vector<CatalogueEntry> catalogue = BuildCatalogue();
  for (const CatalogueEntry& entry : catalogue) {
    SCOPED_TRACE(entry.path);
    const std::vector<uint8_t> bytes = ReadAll(first / entry.path);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadAll(second / entry.path));

    if (entry.format == AssetFormat::kWav) {
      ASSERT_GT(bytes.size(), 44u);
      EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
      EXPECT_EQ(U16(bytes, 20), 1);   // PCM
      EXPECT_EQ(U16(bytes, 34), 16);  // bits per sample
      EXPECT_EQ(U32(bytes, 40), bytes.size() - 44);
      int peak = 0;
      for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>(U16(bytes, at)))));
      }
      // Audible, yet with room for the stacks the game plays them in.
      EXPECT_GT(peak, 1500);
      EXPECT_LT(peak, 10000);
      continue;
    }
    if (entry.format == AssetFormat::kOgg) {
      EXPECT_GE(OggSeconds(bytes), kMusicMinimumSeconds);
      continue;
    }
    EXPECT_EQ(entry.format == AssetFormat::kJpeg, bytes[0] == 0xFF && bytes[1] == 0xD8);
    std::string error;
    const std::optional<Image> image = DecodeImage(bytes, &error);
    ASSERT_TRUE(image.has_value()) << error;
    EXPECT_EQ(image->width, entry.width);
    EXPECT_EQ(image->height, entry.height);
    const int w = image->width - 1;
    const int h = image->height - 1;
    const struct {
      uint8_t bit;
      int x, y;
    } corners[] = {{kTopLeft, 0, 0}, {kTopRight, w, 0}, {kBottomLeft, 0, h}, {kBottomRight, w, h}};
    for (const auto& corner : corners) {
      if ((entry.blackCorners & corner.bit) != 0) {
        EXPECT_EQ(image->At(corner.x, corner.y), 0xFF000000u) << corner.x << "," << corner.y;
      }
    }
  }
}

// The player's own files stay as they are.
TEST_F(AssetFolderTest, LeavesTheGamesOwnFilesAlone) {
  const std::vector<uint8_t> options = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
  const std::vector<uint8_t> highscores(720, 0x5A);
  const std::vector<uint8_t> screenshot = {'B', 'M', 1, 2, 3};
  WriteAll(root_ / "Optionen.bin", options);
  WriteAll(root_ / "Highscores.bin", highscores);
  WriteAll(root_ / "Screenshots" / "mein bild.bmp", screenshot);
  std::string error;
  ASSERT_TRUE(WriteDataFolder(root_, &error)) << error;
  EXPECT_EQ(ReadAll(root_ / "Optionen.bin"), options);
  EXPECT_EQ(ReadAll(root_ / "Highscores.bin"), highscores);
  EXPECT_EQ(ReadAll(root_ / "Screenshots" / "mein bild.bmp"), screenshot);

  // No half-written leftovers.
  for (const auto& item : fs::recursive_directory_iterator(root_)) {
    EXPECT_NE(item.path().extension(), ".part") << item.path();
  }
}

TEST(AssetCatalogueTest, ListsEveryFileOnceWithTheGamesNames) {
  const std::vector<CatalogueEntry> catalogue = BuildCatalogue();
  std::set<std::string> paths;
  int stoneFiles = 0, snakeFiles = 0;
  for (const CatalogueEntry& entry : catalogue) {
    EXPECT_TRUE(paths.insert(entry.path).second) << "twice: " << entry.path;
    EXPECT_EQ(entry.path.find('\\'), std::string::npos);
    EXPECT_NE(entry.path, "Optionen.bin");
    EXPECT_NE(entry.path, "Highscores.bin");
    EXPECT_NE(entry.path.rfind("Screenshots", 0), 0u);
    if (entry.path.rfind("Grafiksets/", 0) == 0) ++stoneFiles;
    if (entry.path.rfind("Snake Grafiksets/", 0) == 0) ++snakeFiles;
  }
  EXPECT_EQ(stoneFiles, 6 * 21);
  EXPECT_EQ(snakeFiles, 3 * 9);
  // Names with umlauts are UTF-8 on disk.
  for (const char8_t* name :
       {u8"Hintergründe/Menue.jpg", u8"Menüs/menue01.bmp", u8"Menüs/optionen05a.bmp",
        u8"Snake Grafiksets/Steinwüste/egg.bmp", u8"Grafiksets/Neo Classic/stone1.bmp",
        u8"Grafiksets/Winter/multiplikatorani.bmp", u8"Buttons/Steintauschmodus nicht aktiv.bmp",
        u8"Musik/Festorchester - Klotzbrecher3(Hollywood).ogg", u8"Soundeffekte/explosion3.wav",
        u8"textausgabe.bmp", u8"Titelbild.bmp", u8"Hintergründe/Titelbild.jpg"}) {
    EXPECT_EQ(paths.count(Utf8(name)), 1u) << Utf8(name);
  }
}

}  // namespace
}  // namespace kb::assetgen
