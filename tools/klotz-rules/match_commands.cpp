#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "driver_words.h"
#include "held_input.h"
#include "play_choices.h"
#include "rules/board_fill.h"
#include "rules/bonus_sequence.h"
#include "rules/cursor.h"
#include "rules/send_stones.h"
#include "rules_driver.h"

namespace kb {
namespace {

using driver::Expect;
using driver::ParseHeldInput;
using driver::ParseInRange;
using driver::ParseNumber;

// A burst stands for one period of the match loop, which counts the bonus countdown
// in passes of about a millisecond.
constexpr int32_t kPassesPerBurst = 100;
// Bounds that keep a script from running for ever.
constexpr int32_t kMaxBursts = 100000;
constexpr int32_t kMaxMoves = 100000;
constexpr int32_t kMaxVersusBursts = 1000000;
constexpr int32_t kDefaultBouts = 3;

// The one-player board's cell under the pointer, pressed with the left or right button.
PlayerInput PressOnCell(const CellPick& cell, bool rightButton) {
  PlayerInput input;
  input.PointerX = CellCentre(cell.column);
  input.PointerY = CellCentre(cell.row);
  (rightButton ? input.RightButton : input.LeftButton) = 1;
  return input;
}

// A click on a cell of the split board's right half, which stands apart on the screen.
PlayerInput ClickOnRightHalf(const CellPick& cell) {
  PlayerInput input;
  input.PointerX = kRightHalfScreenX + CellCentre(cell.column - kHalfWidth);
  input.PointerY = CellCentre(cell.row);
  input.LeftButton = 1;
  return input;
}

std::string Cell(int32_t column, int32_t row) {
  return std::to_string(column) + ',' + std::to_string(row);
}

std::string MatchSummary(const RulesState& state) {
  const MatchState& match = state.match;
  std::string line;
  if (IsTwoPlayer(match)) {
    line = std::string("turn ") + (match.Turn == kRightOnTurn ? "right" : "left") + " wins " +
           std::to_string(match.WinsRight) + ':' + std::to_string(match.WinsLeft) + " cursor " +
           Cell(HalfCellOfCursor(match.CursorX) + kHalfWidth, CellOfCursor(match.CursorY)) +
           " cursor2 " + Cell(HalfCellOfCursor(match.Cursor2X), CellOfCursor(match.Cursor2Y)) +
           " groups " + std::to_string(state.GroupSizeA) + ',' + std::to_string(state.GroupSizeB) +
           " stones " + std::to_string(StonesIn(state.board, BoardRegion::RightHalf)) + ',' +
           std::to_string(StonesIn(state.board, BoardRegion::LeftHalf));
    if (match.BoutEndCountdown >= 0) line += " boutend " + std::to_string(match.BoutEndCountdown);
  } else {
    line = "score " + std::to_string(match.Score) + " x" + std::to_string(match.Multiplier) + " u" +
           std::to_string(match.UltraMultiplier) + " lives " + std::to_string(match.Lives) +
           " swaps " + std::to_string(match.SwapPoints) + " cursor " +
           Cell(CellOfCursor(match.CursorX), CellOfCursor(match.CursorY)) + " group " +
           std::to_string(state.GroupSizeA);
    if (SwapInProgress(match)) {
      line += " swapfirst " +
              Cell(CellOfSwapPoint(match.SwapFirst.x), CellOfSwapPoint(match.SwapFirst.y));
    }
    if (match.SwapCooldown > 0) line += " cooldown " + std::to_string(match.SwapCooldown);
    if (match.SwapModeArmed == 1) line += " swaparmed";
    if (match.BonusCountdown > 0) line += " bonus " + std::to_string(match.BonusCountdown);
  }
  if (match.QuitRequested != 0) line += " quit";
  return line;
}

bool IsMilestone(const BurstOutcome& outcome) {
  return outcome.level != LevelEndResult::kGoOn || outcome.boutWinner > 0;
}

}  // namespace

void RulesDriver::Start(const Words& words, std::ostream& out) {
  const bool one = words.size() == 2 && words[1] == "one";
  const bool two = words.size() == 2 && words[1] == "two";
  const bool versus = words.size() == 3 && words[1] == "versus";
  if (!one && !two && !versus) {
    out << "error usage: start one|two|versus STRENGTH\n";
    return;
  }
  const auto strength = versus ? ParseNumber<int32_t>(words[2]) : std::optional<int32_t>(0);
  if (!strength) {
    out << "error STRENGTH is not a number: " << words[2] << '\n';
    return;
  }
  state_ = RulesState{};
  state_.match.HumanPlayers = two ? 2 : 1;
  state_.match.ComputerPlayers = versus ? 1 : 0;
  state_.AiStrength = *strength;
  log_ = EventLog{};
  StartMatch(state_, chance_);
  matchRunning_ = true;
  burstCount_ = 0;
  level_ = 1;
  out << "start:";
  WriteMatchLine(out);
  PrintBoard(out);
}

RulesDriver::DrivenBurst RulesDriver::DriveBurst(const PlayerInput& held) {
  MatchState& match = state_.match;
  ++burstCount_;
  if (AdvanceBonusCountdown(match, kPassesPerBurst)) {
    AnnounceSnakeBonus(log_);
    snake_.Start(chance_);
    snakeSteps_ = 0;
    PlaySnakeToEnd(nullptr);
    log_.Note("snake " + std::to_string(snake_.Points) + " points in " +
              std::to_string(snakeSteps_) + " steps");
    AwardSnakeBonus(match, snake_.Points, log_);
  }
  const bool lastBoutEndBurst = match.BoutEndCountdown == 1;
  DrivenBurst burst;
  burst.outcome = RunRulesBurst(state_, held, chance_, log_);
  burst.boutBegun = lastBoutEndBurst && match.BoutEndCountdown == -1;
  if (burst.outcome.level == LevelEndResult::kLevelEnd) ++level_;
  if (burst.outcome.level == LevelEndResult::kGameOver) matchRunning_ = false;
  return burst;
}

void RulesDriver::Burst(const Words& words, std::ostream& out) {
  if (!matchRunning_) {
    out << "error no match under way; use start\n";
    return;
  }
  const auto held = ParseHeldInput(words, 1, out);
  if (!held) return;
  const DrivenBurst burst = DriveBurst(*held);
  out << "burst " << burstCount_ << ':';
  WriteMatchLine(out);
  WriteMilestones(burst, out);
}

void RulesDriver::Bursts(const Words& words, std::ostream& out) {
  if (words.size() < 2) {
    out << "error usage: bursts N [KEYS...]\n";
    return;
  }
  const auto count = ParseInRange(words[1], "N", 1, kMaxBursts, out);
  if (!count) return;
  if (!matchRunning_) {
    out << "error no match under way; use start\n";
    return;
  }
  const auto held = ParseHeldInput(words, 2, out);
  if (!held) return;
  std::string shown = MatchSummary(state_);
  for (int32_t i = 0; i < *count && matchRunning_; ++i) {
    const DrivenBurst burst = DriveBurst(*held);
    const std::string summary = MatchSummary(state_);
    if (summary == shown && log_.Empty() && !IsMilestone(burst.outcome) && !burst.boutBegun) {
      continue;
    }
    shown = summary;
    out << "burst " << burstCount_ << ':';
    WriteMatchLine(out);
    WriteMilestones(burst, out);
  }
}

void RulesDriver::Play(const Words& words, std::ostream& out) {
  if (words.size() > 2) {
    out << "error usage: play [LIMIT]\n";
    return;
  }
  const bool split = IsTwoPlayer(state_.match);
  std::optional<int32_t> limit = split ? kDefaultBouts : kMaxMoves;
  if (words.size() == 2) limit = ParseInRange(words[1], "LIMIT", 1, kMaxMoves, out);
  if (!limit) return;
  if (!matchRunning_) {
    out << "error no match under way; use start\n";
    return;
  }
  if (TwoHumansPlay(state_.match)) {
    out << "error play takes one player, or a person against the computer\n";
    return;
  }
  if (split) {
    PlayVersus(*limit, out);
    return;
  }
  for (int32_t move = 1; move <= *limit && matchRunning_; ++move) {
    if (!PlayOneMove(move, out)) {
      out << "no move left\n";
      return;
    }
  }
}

bool RulesDriver::PlayOneMove(int32_t move, std::ostream& out) {
  MatchState& match = state_.match;
  std::vector<DrivenBurst> bursts;
  out << "move " << move << ' ';
  const CellPick group = ChooseGroup(state_.board, BoardRegion::Whole, GroupChoice::kSmallest);
  const SwapPick swap =
      group.Found() || match.SwapPoints < 1 ? SwapPick{} : UsefulSwap(state_.board);
  if (group.Found()) {
    out << "click " << Cell(group.column, group.row) << " size " << group.size;
    bursts.push_back(DriveBurst(PressOnCell(group, false)));
  } else if (swap.first.Found()) {
    out << "swap " << Cell(swap.first.column, swap.first.row) << " with "
        << Cell(swap.second.column, swap.second.row);
    // The swap key takes a first stone only once the last swap's cooldown is over.
    while (match.SwapCooldown > 0 && matchRunning_) bursts.push_back(DriveBurst(PlayerInput{}));
    for (const CellPick& stone : {swap.first, swap.second}) {
      PlayerInput input = PressOnCell(stone, true);
      input.Numpad0 = true;
      if (matchRunning_) bursts.push_back(DriveBurst(input));
    }
  } else if (match.Lives >= 1) {
    out << "shuffle";
    PlayerInput input;
    input.Space = true;
    bursts.push_back(DriveBurst(input));
  } else {
    out << "none\n";
    return false;
  }
  out << ':';
  WriteMatchLine(out);
  for (const DrivenBurst& burst : bursts) WriteMilestones(burst, out);
  return !SwapInProgress(match);
}

void RulesDriver::PlayVersus(int32_t bouts, std::ostream& out) {
  const MatchState& match = state_.match;
  const int32_t lastBout = match.WinsRight + match.WinsLeft + bouts;
  for (int32_t i = 0; i < kMaxVersusBursts; ++i) {
    if (match.WinsRight + match.WinsLeft >= lastBout) {
      out << "played " << bouts << " bouts, wins " << match.WinsRight << ':' << match.WinsLeft
          << '\n';
      return;
    }
    PlayerInput input;
    CellPick pick;
    if (match.BoutEndCountdown == -1 && match.Turn == kRightOnTurn) {
      pick = ChooseGroup(state_.board, BoardRegion::RightHalf, GroupChoice::kLargest);
      if (!pick.Found()) pick = FirstStone(state_.board, BoardRegion::RightHalf);
      // On an empty half the commit still passes the turn.
      if (!pick.Found()) pick = {kBoardSize - 1, kBoardSize - 1, 0};
      input = ClickOnRightHalf(pick);
    }
    const uint8_t turn = match.Turn;
    const DrivenBurst burst = DriveBurst(input);
    if (match.Turn != turn) {
      out << "burst " << burstCount_ << ' ';
      if (turn == kRightOnTurn) {
        out << "right " << Cell(pick.column, pick.row) << " size " << state_.GroupSizeA;
      } else {
        out << "left " << Cell(HalfCellOfCursor(match.Cursor2X), CellOfCursor(match.Cursor2Y))
            << " size " << state_.GroupSizeB;
      }
      out << ':';
      WriteMatchLine(out);
    }
    WriteMilestones(burst, out);
  }
  out << "stopped after " << kMaxVersusBursts << " bursts\n";
}

void RulesDriver::WriteMatchLine(std::ostream& out) {
  out << ' ' << MatchSummary(state_);
  log_.WriteAndClear(out);
  out << '\n';
}

void RulesDriver::WriteMilestones(const DrivenBurst& burst, std::ostream& out) const {
  const MatchState& match = state_.match;
  switch (burst.outcome.level) {
    case LevelEndResult::kLevelEnd:
      out << "level " << level_ << " begins, score " << match.Score << '\n';
      PrintBoard(out);
      break;
    case LevelEndResult::kGameOver:
      out << "game over on level " << level_ << ", score " << match.Score << '\n';
      PrintBoard(out);
      break;
    case LevelEndResult::kGoOn:
      break;
  }
  if (burst.outcome.boutWinner > 0) {
    out << "bout won by " << (burst.outcome.boutWinner == kRightPlayer ? "right" : "left") << '\n';
  }
  if (burst.boutBegun) {
    out << "bout " << match.WinsRight + match.WinsLeft + 1 << " begins, wins " << match.WinsRight
        << ':' << match.WinsLeft << '\n';
    PrintBoard(out);
  }
}

}  // namespace kb
