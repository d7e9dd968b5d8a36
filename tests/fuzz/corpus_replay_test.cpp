#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/reader_checks.h"

namespace kb {
namespace {

using Check = bool (*)(std::span<const uint8_t>, std::string&);

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs every file of fuzz/corpus/<folder>/ through the check; returns how many.
int Replay(const char* folder, Check check) {
  const std::filesystem::path dir = std::filesystem::path(KB_FUZZ_CORPUS_DIR) / folder;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const std::vector<uint8_t> bytes = ReadAll(entry.path());
    std::string why;
    EXPECT_TRUE(check(bytes, why)) << entry.path() << ": " << why;
    ++count;
  }
  return count;
}

TEST(FuzzCorpus, EveryKeptInputPassesItsReadersChecks) {
  EXPECT_GE(Replay("image", fuzz::CheckImageInput), 20);
  EXPECT_GE(Replay("options", fuzz::CheckOptionsInput), 5);
  EXPECT_GE(Replay("highscore", fuzz::CheckHighscoreInput), 5);
  EXPECT_GE(Replay("saved_match", fuzz::CheckSavedMatchInput), 2);
  EXPECT_GE(Replay("replay", fuzz::CheckReplayInput), 2);
}

// Each folder has a check, so an input put in a new folder is not forgotten.
// The sounds need SDL's mixer, which only their fuzzer links; it replays them.
TEST(FuzzCorpus, EveryFolderHasAChecker) {
  for (const auto& entry : std::filesystem::directory_iterator(KB_FUZZ_CORPUS_DIR)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "image" || name == "options" || name == "highscore" ||
                name == "saved_match" || name == "replay" || name == "sound")
        << name;
  }
}

// A few odd inputs that need no file of their own.
TEST(FuzzCorpus, HandMadeOddInputsPass) {
  std::string why;
  const std::vector<uint8_t> notAPicture = {'B', 'M', 0, 0};
  EXPECT_TRUE(fuzz::CheckImageInput(notAPicture, why)) << why;
  const std::vector<uint8_t> oddOptions(23, 0xFF);
  EXPECT_TRUE(fuzz::CheckOptionsInput(oddOptions, why)) << why;
  const std::vector<uint8_t> noZeroNames(720, 0xA5);
  EXPECT_TRUE(fuzz::CheckHighscoreInput(noZeroNames, why)) << why;
}

}  // namespace
}  // namespace kb
