#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Runs the real driver on a script and gives back everything it printed.
std::string RunDriver(const std::string& script) {
  char path[] = "/tmp/klotz-rules-testXXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return "mkstemp failed";
  {
    std::ofstream file(path);
    file << script;
  }
  const std::string command = std::string(KB_RULES_DRIVER) + " < " + path;
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  size_t n = 0;
  while (pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    output.append(buffer, n);
  if (pipe != nullptr) pclose(pipe);
  close(fd);
  std::remove(path);
  return output;
}

const char* const kBoard =
    "board\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "..2.............\n"
    "..1.............\n"
    "1562............\n"
    "2222.........771\n";

TEST(RulesDriver, AnswersARemovalSessionAndGoesOnAfterErrors) {
  // The multiplier takes in the 1 above it while the search colour is 1; the branch
  // through the connector then turns the search to colour 2.
  const std::string script = std::string("# a comment, then a blank line\n\n") + kBoard +
                             "group 0 0 14\n"
                             "group 1 0 14\n"
                             "jump 3\n"
                             "group 0 16 0\n"
                             "remove 0 15\n"
                             "remove 15 15\n"
                             "check 0 0 0\n"
                             "plan 7 0 15\n"
                             "print\n";
  std::string settled = "board\n";
  for (int row = 0; row < 15; ++row) settled += "................\n";
  settled += "............2771\n";
  const std::string expected =
      "size 9\n"
      "marks 0,14 0,15 1,14 1,15 2,13 2,14 2,15 3,14 3,15\n"
      "size 0\n"
      "marks\n"
      "error unknown command: jump\n"
      "error COLUMN must lie in 0 to 15\n"
      "score 81 multiplier 10 ultra 1 bonuscountdown 0 bonuslevel 0\n" +
      settled + "score 81 multiplier 10 ultra 1 bonuscountdown 0 bonuslevel 0\n" + settled +
      "result gameover\n"
      "error not built\n" +
      settled;
  EXPECT_EQ(RunDriver(script), expected);
}

TEST(RulesDriver, SeededFillsRepeatAndShuffleAndSendAnswerInFormat) {
  std::string script =
      "random 42 1000\nfill\nrandom 42 1000\nfill\nmode two\nfill\nsend 1 5\nshuffle 0\n"
      "board\n12\n";
  for (int row = 1; row < 16; ++row) script += "................\n";
  script += "check 1 1 0\n";
  std::istringstream lines(RunDriver(script));
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 17u * 3 + 18 + 18 + 2);
  EXPECT_TRUE(std::equal(all.begin(), all.begin() + 17, all.begin() + 17));
  // The two-player fill leaves rows 0 to 4 empty.
  EXPECT_EQ(all[35], "................");
  EXPECT_EQ(all[39], "................");
  EXPECT_NE(all[40], "................");
  EXPECT_EQ(all[51], "result 0");
  EXPECT_EQ(all[69], "lives 0");
  EXPECT_EQ(all[87], "error board line 0 must have 16 characters");
  EXPECT_EQ(all[88], "result goon");
}

}  // namespace
