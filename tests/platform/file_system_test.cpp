#include "platform/file_system.h"
#include "platform/game_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "core/cp1252.h"

namespace kb::platform {
namespace {

TEST(GamePaths, BackslashesAndWindows1252BecomeUtf8Paths) {
  EXPECT_EQ(GamePathToUtf8("Hintergr\xfcnde\\Menue.jpg"), "Hintergr\xc3\xbcnde/Menue.jpg");
  EXPECT_EQ(GamePathToUtf8("Snake Grafiksets\\Steinw\xfcste\\egg.bmp"),
            "Snake Grafiksets/Steinw\xc3\xbcste/egg.bmp");
  EXPECT_EQ(GamePathToUtf8("Men\xfcs\\menue01a.bmp"), "Men\xc3\xbcs/menue01a.bmp");
  EXPECT_EQ(GamePathToUtf8("Optionen.bin"), "Optionen.bin");
  EXPECT_EQ(GamePathToUtf8("\x80\x81\xdf"), "\xe2\x82\xac\xef\xbf\xbd\xc3\x9f");
  EXPECT_EQ(GamePathToUtf8(""), "");
}

TEST(GamePaths, SourceLiteralsAreWindows1252) {
  // A German text written with _cp is the byte 0xFC for "ü".
  EXPECT_STREQ("ü"_cp, "\xfc");
  EXPECT_EQ(GamePathToUtf8("Hintergründe\\Hilfe.jpg"_cp), "Hintergr\xc3\xbcnde/Hilfe.jpg");
}

class DiskFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kb-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override {
    chmod(root.c_str(), 0755);
    std::filesystem::remove_all(root);
  }
  std::filesystem::path root;
};

TEST_F(DiskFiles, WritesWholeFilesAndReadsThemBack) {
  DiskFileSystem files(root);
  ASSERT_TRUE(files.MakeFolder("Screenshots"));
  const std::vector<uint8_t> bytes = {1, 2, 3, 0, 255};
  ASSERT_TRUE(files.WriteFile("Screenshots\\b\xfc.bmp", bytes));
  EXPECT_TRUE(std::filesystem::exists(root / "Screenshots" / "b\xc3\xbc.bmp"));
  std::vector<uint8_t> back;
  ASSERT_EQ(files.ReadFile("Screenshots\\b\xfc.bmp", back, 5), ReadResult::kRead);
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(files.ReadFile("fehlt.bin", back, 5), ReadResult::kMissing);
  EXPECT_TRUE(back.empty());
}

TEST_F(DiskFiles, AFailedWriteLeavesTheOldFileAndNoTemporaryBehind) {
  DiskFileSystem files(root);
  const std::vector<uint8_t> old(720, 7);
  ASSERT_TRUE(files.WriteFile("Highscores.bin", old));
  if (geteuid() != 0) {
    // A folder without write permission: the new file cannot even be begun.
    chmod(root.c_str(), 0555);
    EXPECT_FALSE(files.WriteFile("Highscores.bin", std::vector<uint8_t>(720, 9)));
    chmod(root.c_str(), 0755);
  }
  // A target that is a folder: the temporary is written but cannot replace it.
  std::filesystem::create_directory(root / "Optionen.bin");
  EXPECT_FALSE(files.WriteFile("Optionen.bin", std::vector<uint8_t>(20, 1)));
  std::vector<uint8_t> back;
  ASSERT_EQ(files.ReadFile("Highscores.bin", back, 720), ReadResult::kRead);
  EXPECT_EQ(back, old);
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

// Only regular files are read, and only as far as asked: a pipe would block
// the game for good, a device or a huge file would eat its memory.
TEST_F(DiskFiles, OnlyRegularFilesAreReadAndNoFurtherThanTheLimit) {
  DiskFileSystem files(root);
  std::filesystem::create_directory(root / "Optionen.bin");
  ASSERT_EQ(mkfifo((root / "Highscores.bin").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", root / "Titelbild.bmp");
  std::vector<uint8_t> back{1};
  for (const char* name : {"Optionen.bin", "Highscores.bin", "Titelbild.bmp"}) {
    EXPECT_EQ(files.ReadFile(name, back, 1000), ReadResult::kMissing) << name;
    EXPECT_TRUE(back.empty()) << name;
  }

  std::ofstream(root / "lang.bin") << std::string(100, 'x');
  EXPECT_EQ(files.ReadFile("lang.bin", back, 20), ReadResult::kTooLarge);
  EXPECT_EQ(back, std::vector<uint8_t>(20, 'x'));
  EXPECT_EQ(files.ReadFile("lang.bin", back, 100), ReadResult::kRead);
  EXPECT_EQ(back.size(), 100u);

  if (geteuid() != 0) {
    chmod((root / "lang.bin").c_str(), 0);
    EXPECT_EQ(files.ReadFile("lang.bin", back, 100), ReadResult::kFailed);
    EXPECT_TRUE(back.empty());
  }
}

// A link planted where older builds put their temporary file cannot make a
// save write elsewhere. At start, temporaries of the game's own saves cut
// short are removed by their exact names; those of a game still running, and
// every file that is not the game's, stay, and a linked screenshot folder is
// not entered.
TEST_F(DiskFiles, SavesNeverFollowPlantedLinksAndOnlyTheGamesLeftoversAreRemoved) {
  DiskFileSystem files(root);
  std::ofstream(root / "fremd.txt") << "fremd";
  std::filesystem::create_symlink(root / "fremd.txt", root / "Optionen.bin.tmp");
  ASSERT_TRUE(files.WriteFile("Optionen.bin", std::vector<uint8_t>(20, 1)));
  std::ifstream stranger(root / "fremd.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stranger), {}), "fremd");

  ASSERT_TRUE(files.MakeFolder("Screenshots"));
  std::filesystem::create_directories(root / "anderswo");
  const std::string dead = ".tmp.999999999.0123abcd";
  const std::string running = "Highscores.bin.tmp." + std::to_string(getppid()) + ".0123abcd";
  const std::vector<std::string> strangers = {running,
                                              "Notizen.tmp",
                                              "Brief.txt.tmp.999999999.deadbeef",
                                              "Notiz.bin.tmp",
                                              "x.bmp.tmp",
                                              "Screenshots/x.bmp.tmp",
                                              "Screenshots/x.png" + dead,
                                              "Screenshots/a.b.bmp" + dead,
                                              "anderswo/bild.bmp" + dead};
  for (const std::string& name : strangers) std::ofstream(root / name) << "x";
  for (const std::string& name : {"Highscores.bin" + dead, std::string("Highscores.bin.tmp"),
                                  "Screenshots/Bild 1.bmp" + dead, "Screenshots/.bmp" + dead}) {
    std::ofstream(root / name) << "x";
  }
  std::filesystem::create_directory_symlink(root / "anderswo", root / "Verweis");
  const auto isBild = [](std::string_view name) { return name == "bild.bmp"; };
  const auto isShot = [](std::string_view name) {
    return name == "Bild 1.bmp" || name == ".bmp" || name == "x.bmp";
  };
  files.RemoveLeftoverTemporaries(
      {{"Optionen.bin", "Highscores.bin"}, {{"Verweis", +isBild}, {"Screenshots", +isShot}}});

  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    left.push_back(entry.path().lexically_relative(root).string());
  }
  std::vector<std::string> expected = strangers;
  for (const char* kept : {"Optionen.bin", "Screenshots", "fremd.txt", "anderswo", "Verweis"}) {
    expected.emplace_back(kept);
  }
  std::sort(left.begin(), left.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
}

}  // namespace
}  // namespace kb::platform

namespace kb::platform {
namespace {

// The build tree and an installed copy side by side, and where each puts the
// player's files; what a copy of the data holds stays with it.
TEST_F(DiskFiles, AnInstalledGameReadsBesideItselfAndWritesToThePlayersFolder) {
  const std::filesystem::path installed = root / "usr";
  const std::filesystem::path data = installed / "share" / "klotzbrecher3";
  std::filesystem::create_directories(data / GamePathToUtf8("Hintergründe"_cp));
  std::ofstream(data / GamePathToUtf8("Hintergründe\\Titelbild.jpg"_cp)) << "picture";
  std::ofstream(data / "Optionen.bin") << "shipped";
  const std::filesystem::path elsewhere = root / "elsewhere";
  std::filesystem::create_directories(elsewhere);

  GameFolders folders = FindGameFolders(installed / "bin", elsewhere, nullptr, root.c_str());
  EXPECT_EQ(folders.data, data);
  EXPECT_EQ(folders.player, root / ".local" / "share" / "klotzbrecher3");
  EXPECT_EQ(FindGameFolders(installed / "bin", elsewhere, "/xdg", root.c_str()).player,
            "/xdg/klotzbrecher3");
  EXPECT_EQ(FindGameFolders(installed / "bin", elsewhere, "relative", root.c_str()).player,
            folders.player);

  // The player's folder is made on the first write; a file the player has
  // is read from there, others from the data folder.
  DiskFileSystem files(folders.data, folders.player);
  std::vector<uint8_t> bytes;
  ASSERT_EQ(files.ReadFile("Optionen.bin", bytes, 20), ReadResult::kRead);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "shipped");
  ASSERT_TRUE(files.WriteFile("Optionen.bin", std::vector<uint8_t>{'o', 'w', 'n'}));
  ASSERT_EQ(files.ReadFile("Optionen.bin", bytes, 20), ReadResult::kRead);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "own");
  std::ifstream shipped(data / "Optionen.bin");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(shipped), {}), "shipped");

  // A working folder with the game's data, as in the build tree, keeps it all.
  EXPECT_EQ(FindGameFolders(elsewhere, data, "/xdg", root.c_str()).player, data);

  // Debian's package: /usr/games and /usr/share/games.
  const std::filesystem::path games = installed / "share" / "games" / "klotzbrecher3";
  std::filesystem::create_directories(games.parent_path());
  std::filesystem::rename(data, games);
  EXPECT_EQ(FindGameFolders(installed / "games", elsewhere, nullptr, root.c_str()).data, games);
}

}  // namespace
}  // namespace kb::platform
