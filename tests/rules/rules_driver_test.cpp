#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>

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

// "board", then empty rows above the given bottom rows.
std::string BoardBlock(std::initializer_list<const char*> bottomRows) {
  std::string text = "board\n";
  for (size_t row = bottomRows.size(); row < 16; ++row) text += "................\n";
  for (const char* row : bottomRows) text += std::string(row) + "\n";
  return text;
}

TEST(RulesDriver, AnswersARemovalSessionAndGoesOnAfterErrors) {
  // The multiplier takes in the 1 above it while the search colour is 1; the branch
  // through the connector then turns the search to colour 2.
  const std::string script =
      "# a comment, then a blank line\n\n" +
      BoardBlock({"..2.............", "..1.............", "1562............", "2222.........771"}) +
      "group 0 0 14\n"
      "group 1 0 14\n"
      "jump 3\n"
      "group 0 16 0\n"
      "remove 0 15\n"
      "remove 15 15\n"
      "check 0 0 0\n"
      "plan 7 0 15\n"
      "print\n";
  const std::string settled = BoardBlock({"............2771"});
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
      "target none\n" +
      settled;
  EXPECT_EQ(RunDriver(script), expected);
}

TEST(RulesDriver, SeededFillsRepeatAndABadBoardCostsOneAnswer) {
  std::string script = "random 42 1000\nfill\nrandom 42 1000\nfill\nboard\n12\n";
  for (int row = 1; row < 16; ++row) script += "................\n";
  script += "shuffle 0\n";
  const std::string output = RunDriver(script);
  const size_t boardText = 6 + 16 * 17;
  ASSERT_EQ(output.size(), 2 * boardText + 43 + 8 + boardText);
  EXPECT_EQ(output.substr(0, boardText), output.substr(boardText, boardText));
  EXPECT_EQ(output.substr(2 * boardText, 51),
            "error board line 0 must have 16 characters\nlives 0\n");
  EXPECT_EQ(output.substr(2 * boardText + 51), output.substr(0, boardText));
}

TEST(RulesDriver, PlansAnswerForEveryStrengthAsStoredInTheOptions) {
  std::string script = "mode two\nrandom 3 50\n" +
                       BoardBlock({"..33............", "1212121212121212"}) +
                       "plan 7 5 15\nplan 19 0 0\nplan 2500 0 0\nplan -1 0 15\nplan 8 8 0\n"
                       "plan many 0 0\n";
  const std::string output = RunDriver(script);
  const std::string expected =
      "target 2 14\ntarget 2 14\ntarget 2 14\n"
      "error COLUMN must lie in 0 to 7\nerror STRENGTH is not a number: many\n";
  // The random try of strength 0 answers a target or none; the rest are fixed.
  const size_t tryLine = std::string("target 2 14\ntarget 2 14\ntarget 2 14\n").size();
  ASSERT_GT(output.size(), tryLine);
  const size_t tryEnd = output.find('\n', tryLine);
  const std::string tried = output.substr(tryLine, tryEnd - tryLine);
  EXPECT_TRUE(tried == "target none" || tried == "target 2 14" || tried == "target 3 14") << tried;
  EXPECT_EQ(output.substr(0, tryLine) + output.substr(tryEnd + 1), expected);
  EXPECT_NE(RunDriver("help\n").find("plan STRENGTH COLUMN ROW"), std::string::npos);
}

}  // namespace
