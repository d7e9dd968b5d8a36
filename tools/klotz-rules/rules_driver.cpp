#include "rules_driver.h"

#include <istream>
#include <optional>
#include <ostream>

#include "driver_words.h"
#include "rules/board_fill.h"
#include "rules/computer_step.h"
#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/level_end.h"
#include "rules/removal_step.h"
#include "rules/send_stones.h"
#include "rules/settle.h"
#include "rules/shuffle.h"

namespace kb {
namespace {

using driver::Expect;
using driver::ParseInRange;
using driver::ParseNumber;
using driver::SplitWords;

constexpr char kEmptyCellChar = '.';

constexpr char kHelpText[] =
    "klotz-rules: one command a line, answers on the output; a bad line is answered\n"
    "\"error\" and a reason, and the state carries over from line to line.\n"
    "  mode one|two               one-player board, or the split board of two people\n"
    "  random SEED TICK           seed the generator; every draw adds the fixed TICK\n"
    "  board                      then 16 lines of 16 cells: 1 to 7, or . for empty\n"
    "  fill                       fill the board for the mode and print it\n"
    "  group REGION COLUMN ROW    REGION 0 whole, 1 right half, 2 left half: size, marks\n"
    "  settle                     gravity and column closing for the mode, board\n"
    "  remove COLUMN ROW          one-player commit on the cell: score line, board\n"
    "  send SENDER N              a group of N sent by 1 (right) or 2 (left): result, board\n"
    "  plan STRENGTH COLUMN ROW   the computer's plan with its cursor on the left-half\n"
    "                             cell (COLUMN 0 to 7): \"target COLUMN ROW\" or\n"
    "                             \"target none\". STRENGTH is read like the options\n"
    "                             file's value: any number, played as the nearest of\n"
    "                             0 to 19. The target is cleared first, and the right\n"
    "                             player's group under the main cursor stands marked,\n"
    "                             as in the turn step before the computer's move. The\n"
    "                             plan works on the board as set, whatever the mode:\n"
    "                             it takes the left half as the computer's and the\n"
    "                             right half as its opponent's.\n"
    "  shuffle LIVES              shuffle with that many lives: lives, board\n"
    "  check LIVES SWAPS SWAPPING level-end check: goon, levelend or gameover\n"
    "  print                      the board\n"
    "Whole games, burst by burst in the match loop's order; a burst is one period of\n"
    "the loop (100 passes of the bonus countdown), its snake bonus played by the snake\n"
    "steering of snake-play. A burst's line tells the match's values and, after \"|\",\n"
    "what the screen was told: messages, pauses and sounds.\n"
    "  start one|two|versus STRENGTH  a new match: one player, two people on the split\n"
    "                             board, or a person against the computer; board\n"
    "  burst [KEYS...]            one burst with the keys held: left right up down\n"
    "                             return lctrl rctrl space numpad0 w a s d, and\n"
    "                             click X Y, rclick X Y (the mouse buttons at the\n"
    "                             screen point) or pointer X Y\n"
    "  bursts N [KEYS...]         N bursts with the same keys held; a line for each burst\n"
    "                             that changed something\n"
    "  play [LIMIT]               play on by fixed choices: one player clicks the smallest\n"
    "                             group, else swaps two stones into a group, else\n"
    "                             shuffles, a line a move, to the game's end or LIMIT\n"
    "                             moves; against the computer the person clicks the\n"
    "                             right half's largest group, a line a commit, for\n"
    "                             LIMIT bouts (3). Boards at level and bout starts\n"
    "                             and at the game's end\n"
    "  snake                      a new snake round: head, direction, length, points, egg\n"
    "  snake-step [left|up|right|down...]  one step with the arrows held\n"
    "  snake-play                 steer to the end: of the safe directions the one\n"
    "                             nearest the egg; a line for each turn, egg and the end\n"
    "  help                       this text\n"
    "Lines starting with # and blank lines are skipped.\n";

void StripLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

std::optional<StoneCode> CodeOfChar(char c) {
  if (c == kEmptyCellChar) return kEmpty;
  if (c >= '1' && c <= '7') return static_cast<StoneCode>(c - '0');
  return std::nullopt;
}

char CharOfCode(StoneCode code) {
  if (code == kEmpty) return kEmptyCellChar;
  if (code >= 1 && code <= 7) return static_cast<char>('0' + code);
  return '?';
}

}  // namespace

RulesDriver::RulesDriver() : chance_(random_, ticks_) {
  FillBoardWith(state_.board, kEmpty);
}

void RulesDriver::Run(std::istream& in, std::ostream& out) {
  std::string line;
  while (std::getline(in, line)) {
    StripLineEnd(line);
    const Words words = SplitWords(line);
    // Blank lines and comments keep scripts readable.
    if (words.empty() || words.front().front() == '#') continue;
    Handle(words, in, out);
    out.flush();
  }
}

void RulesDriver::Handle(const Words& words, std::istream& in, std::ostream& out) {
  const std::string_view command = words.front();
  if (command == "mode") {
    Mode(words, out);
  } else if (command == "random") {
    SeedRandom(words, out);
  } else if (command == "board") {
    ReadBoard(words, in, out);
  } else if (command == "fill") {
    Fill(words, out);
  } else if (command == "group") {
    Group(words, out);
  } else if (command == "settle") {
    Settle(words, out);
  } else if (command == "remove") {
    Remove(words, out);
  } else if (command == "send") {
    Send(words, out);
  } else if (command == "plan") {
    Plan(words, out);
  } else if (command == "shuffle") {
    ShuffleBoard(words, out);
  } else if (command == "check") {
    Check(words, out);
  } else if (command == "print") {
    Print(words, out);
  } else if (command == "start") {
    Start(words, out);
  } else if (command == "burst") {
    Burst(words, out);
  } else if (command == "bursts") {
    Bursts(words, out);
  } else if (command == "play") {
    Play(words, out);
  } else if (command == "snake") {
    SnakeStart(words, out);
  } else if (command == "snake-step") {
    SnakeStep(words, out);
  } else if (command == "snake-play") {
    SnakePlay(words, out);
  } else if (command == "help") {
    out << kHelpText;
  } else {
    out << "error unknown command: " << command << '\n';
  }
}

void RulesDriver::Mode(const Words& words, std::ostream& out) {
  if (!Expect(words, 2, "mode one|two", out)) return;
  if (words[1] == "one") {
    state_.match.HumanPlayers = 1;
  } else if (words[1] == "two") {
    state_.match.HumanPlayers = 2;
  } else {
    out << "error mode must be one or two\n";
    return;
  }
  state_.match.ComputerPlayers = 0;
}

void RulesDriver::SeedRandom(const Words& words, std::ostream& out) {
  if (!Expect(words, 3, "random SEED TICK", out)) return;
  const auto seed = ParseNumber<uint32_t>(words[1]);
  const auto tick = ParseNumber<uint32_t>(words[2]);
  if (!seed || !tick) {
    out << "error SEED and TICK must be unsigned 32-bit numbers\n";
    return;
  }
  random_.Seed(*seed);
  ticks_.ticks = *tick;
}

// The 16 lines are always taken from the input, so a bad board costs one answer and
// the commands after it are read as commands.
void RulesDriver::ReadBoard(const Words& words, std::istream& in, std::ostream& out) {
  const bool usageOk = words.size() == 1;
  Board board{};
  std::string problem;
  std::string line;
  for (int32_t row = 0; row < kBoardSize; ++row) {
    if (!std::getline(in, line)) {
      out << "error board ended after " << row << " of 16 lines\n";
      return;
    }
    StripLineEnd(line);
    if (!problem.empty()) continue;
    if (line.size() != static_cast<size_t>(kBoardSize)) {
      problem = "board line " + std::to_string(row) + " must have 16 characters";
      continue;
    }
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const auto code = CodeOfChar(line[column]);
      if (!code) {
        problem =
            "board line " + std::to_string(row) + " holds '" + line[column] + "'; use 1 to 7 or .";
        break;
      }
      board.SetCell(row, column, *code);
    }
  }
  if (!usageOk) {
    out << "error usage: board, then 16 lines\n";
  } else if (!problem.empty()) {
    out << "error " << problem << '\n';
  } else {
    state_.board = board;
  }
}

void RulesDriver::Fill(const Words& words, std::ostream& out) {
  if (!Expect(words, 1, "fill", out)) return;
  FillBoard(state_, chance_);
  PrintBoard(out);
}

void RulesDriver::Group(const Words& words, std::ostream& out) {
  if (!Expect(words, 4, "group REGION COLUMN ROW", out)) return;
  const auto region = ParseInRange(words[1], "REGION", 0, 2, out);
  if (!region) return;
  const auto column = ParseInRange(words[2], "COLUMN", 0, kBoardSize - 1, out);
  if (!column) return;
  const auto row = ParseInRange(words[3], "ROW", 0, kBoardSize - 1, out);
  if (!row) return;
  const auto boardRegion = static_cast<BoardRegion>(*region);
  ClearMarks(state_.marks);
  FindGroup(state_, boardRegion, *column, *row);
  const int32_t size = boardRegion == BoardRegion::LeftHalf ? state_.GroupSizeB : state_.GroupSizeA;
  out << "size " << size << '\n' << "marks";
  for (int32_t c = 0; c < kBoardSize; ++c) {
    for (int32_t r = 0; r < kBoardSize; ++r) {
      if (state_.marks[r][c] != 0) out << ' ' << c << ',' << r;
    }
  }
  out << '\n';
}

void RulesDriver::Settle(const Words& words, std::ostream& out) {
  if (!Expect(words, 1, "settle", out)) return;
  SettleBoard(state_);
  PrintBoard(out);
}

void RulesDriver::Remove(const Words& words, std::ostream& out) {
  if (!Expect(words, 3, "remove COLUMN ROW", out)) return;
  const auto column = ParseInRange(words[1], "COLUMN", 0, kBoardSize - 1, out);
  if (!column) return;
  const auto row = ParseInRange(words[2], "ROW", 0, kBoardSize - 1, out);
  if (!row) return;
  MatchState& match = state_.match;
  match.CursorX = CellCentre(*column);
  match.CursorY = CellCentre(*row);
  ClearMarks(state_.marks);
  FindGroup(state_, BoardRegion::Whole, *column, *row);
  CommitOnePlayer(state_, observer_);
  out << "score " << match.Score << " multiplier " << match.Multiplier << " ultra "
      << match.UltraMultiplier << " bonuscountdown " << match.BonusCountdown << " bonuslevel "
      << match.BonusLevel << '\n';
  PrintBoard(out);
}

void RulesDriver::Send(const Words& words, std::ostream& out) {
  if (!Expect(words, 3, "send SENDER N", out)) return;
  const auto sender = ParseInRange(words[1], "SENDER", 1, 2, out);
  if (!sender) return;
  const auto size = ParseInRange(words[2], "N", 0, kBoardSize * kBoardSize, out);
  if (!size) return;
  (*sender == kRightPlayer ? state_.GroupSizeA : state_.GroupSizeB) = *size;
  const int32_t result = SendStones(state_, *sender, chance_);
  out << "result " << result << '\n';
  PrintBoard(out);
}

void RulesDriver::Plan(const Words& words, std::ostream& out) {
  if (!Expect(words, 4, "plan STRENGTH COLUMN ROW", out)) return;
  const auto strength = ParseNumber<int32_t>(words[1]);
  if (!strength) {
    out << "error STRENGTH is not a number: " << words[1] << '\n';
    return;
  }
  const auto column = ParseInRange(words[2], "COLUMN", 0, kHalfWidth - 1, out);
  if (!column) return;
  const auto row = ParseInRange(words[3], "ROW", 0, kBoardSize - 1, out);
  if (!row) return;
  MatchState& match = state_.match;
  state_.computer.ClearTarget();
  match.Cursor2X = CellCentre(*column);
  match.Cursor2Y = CellCentre(*row);
  ClearMarks(state_.marks);
  FindGroup(state_, BoardRegion::RightHalf, HalfCellOfCursor(match.CursorX) + kHalfWidth,
            CellOfCursor(match.CursorY));
  MakePlan(state_, chance_, *strength);
  const ComputerOpponent& computer = state_.computer;
  if (computer.HasTarget()) {
    out << "target " << computer.TargetColumn << ' ' << computer.TargetRow << '\n';
  } else {
    out << "target none\n";
  }
}

void RulesDriver::ShuffleBoard(const Words& words, std::ostream& out) {
  if (!Expect(words, 2, "shuffle LIVES", out)) return;
  const auto lives = ParseNumber<int32_t>(words[1]);
  if (!lives) {
    out << "error LIVES is not a number: " << words[1] << '\n';
    return;
  }
  state_.match.Lives = *lives;
  Shuffle(state_, chance_, observer_);
  out << "lives " << state_.match.Lives << '\n';
  PrintBoard(out);
}

void RulesDriver::Check(const Words& words, std::ostream& out) {
  if (!Expect(words, 4, "check LIVES SWAPS SWAPPING", out)) return;
  const auto lives = ParseNumber<int32_t>(words[1]);
  const auto swaps = ParseNumber<int32_t>(words[2]);
  if (!lives || !swaps) {
    out << "error LIVES and SWAPS must be numbers\n";
    return;
  }
  const auto swapping = ParseInRange(words[3], "SWAPPING", 0, 1, out);
  if (!swapping) return;
  MatchState& match = state_.match;
  match.Lives = *lives;
  match.SwapPoints = *swaps;
  match.SwapFirst = *swapping == 1 ? ScreenPoint{match.CursorX, match.CursorY} : ScreenPoint{};
  switch (CheckLevel(state_, chance_, observer_)) {
    case LevelEndResult::kGoOn:
      out << "result goon\n";
      break;
    case LevelEndResult::kLevelEnd:
      out << "result levelend score " << match.Score << '\n';
      break;
    case LevelEndResult::kGameOver:
      out << "result gameover\n";
      break;
  }
}

void RulesDriver::Print(const Words& words, std::ostream& out) {
  if (!Expect(words, 1, "print", out)) return;
  PrintBoard(out);
}

void RulesDriver::PrintBoard(std::ostream& out) const {
  out << "board\n";
  for (int32_t row = 0; row < kBoardSize; ++row) {
    char line[kBoardSize + 1];
    for (int32_t column = 0; column < kBoardSize; ++column) {
      line[column] = CharOfCode(state_.board.CellAt(row, column));
    }
    line[kBoardSize] = '\n';
    out.write(line, sizeof line);
  }
}

}  // namespace kb
