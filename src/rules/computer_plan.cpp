#include "rules/computer_plan.h"

#include <algorithm>

#include "rules/computer_step.h"
#include "rules/follow_up.h"
#include "rules/group_finder.h"
#include "rules/send_stones.h"

namespace kb {
namespace {

// MENDED: the generator reaches every cell long before this many draws; the bound
// only keeps a broken random source from hanging the game.
constexpr int32_t kMaxCellDraws = 1 << 20;
constexpr int32_t kFirstWeighingStrength = 8;
constexpr int32_t kEveryCellStrength = 7;

struct Cell {
  int32_t column;
  int32_t row;
};

// Random cells of the left half, column drawn first, until one is not empty.
Cell DrawStone(const Board& board, Chance& chance) {
  for (int32_t draw = 0; draw < kMaxCellDraws; ++draw) {
    const auto column = static_cast<int32_t>(chance.Below(kHalfWidth));
    const auto row = static_cast<int32_t>(chance.Below(kBoardSize));
    if (board.cells[row][column] != kEmpty) return {column, row};
  }
  for (int32_t column = 0; column < kHalfWidth; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (board.cells[row][column] != kEmpty) return {column, row};
    }
  }
  return {0, 0};
}

void SetTarget(ComputerOpponent& computer, int32_t column, int32_t row) {
  computer.TargetColumn = column;
  computer.TargetRow = row;
}

// Empty cells beside the group, counted once per marked neighbour: a group that opens
// the half up is one the opponent can answer.
int32_t Exposure(const Board& board, const MarkGrid& marks) {
  int32_t exposure = 0;
  auto emptyAt = [&board](int32_t column, int32_t row) {
    return column >= 0 && column < kHalfWidth && row >= 0 && row < kBoardSize &&
           board.cells[row][column] == kEmpty;
  };
  for (int32_t column = 0; column < kHalfWidth; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (marks[row][column] == 0) continue;
      exposure += emptyAt(column + 1, row) ? 1 : 0;
      exposure += emptyAt(column - 1, row) ? 1 : 0;
      exposure += emptyAt(column, row + 1) ? 1 : 0;
      exposure += emptyAt(column, row - 1) ? 1 : 0;
    }
  }
  return exposure;
}

struct Survey {
  int32_t own;     // stones of the left half
  int32_t threat;  // value of the opponent's best group
};

// The largest group of the right half. The marks standing from the turn step are
// cleared only after the first search, as every search's are.
Survey TakeSurvey(RulesState& state) {
  int32_t opponentBest = 0;
  for (int32_t column = kHalfWidth; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      FindGroup(state, BoardRegion::RightHalf, column, row);
      opponentBest = std::max(opponentBest, state.GroupSizeA);
      ClearMarks(state.marks);
    }
  }
  return {StonesIn(state.board, BoardRegion::LeftHalf), GroupValue(opponentBest)};
}

// Once a target stands, a group that would open the half without winning the bout at
// once is left alone while the half still has room for the opponent's best answer.
bool PassedOver(const RulesState& state, int32_t size, const Survey& survey) {
  if (!state.computer.HasTarget()) return false;
  const int32_t exposure = Exposure(state.board, state.marks);
  const int32_t opponentHeight = HalfHeight(state.board, BoardRegion::RightHalf);
  return exposure > 0 && exposure >= size / 2 &&
         size + ExtraStones(size) <= kHalfCells - opponentHeight &&
         kHalfCells - survey.own >= survey.threat;
}

}  // namespace

void PlanByRandomTries(RulesState& state, Chance& chance, int32_t strength) {
  // MENDED: in an empty half the draws for a stone would never end. The computer then
  // sets no target and commits on its cursor's cell, which passes the turn.
  if (StonesIn(state.board, BoardRegion::LeftHalf) == 0) return;
  const int32_t tries = 1 << std::clamp(strength, 0, kEveryCellStrength - 1);
  int32_t best = 0;
  for (int32_t i = 0; i < tries; ++i) {
    const Cell cell = DrawStone(state.board, chance);
    FindGroup(state, BoardRegion::LeftHalf, cell.column, cell.row);
    if (state.GroupSizeB > best) {
      best = state.GroupSizeB;
      SetTarget(state.computer, cell.column, cell.row);
    }
    ClearMarks(state.marks);
    state.GroupSizeB = 0;
  }
}

void PlanOverEveryCell(RulesState& state, int32_t strength) {
  ComputerOpponent& computer = state.computer;
  computer.BestValue = 0;
  const Survey survey = TakeSurvey(state);
  // Weighing only pays while the half could still take the opponent's best answer.
  const bool weigh = strength >= kFirstWeighingStrength && survey.threat < kHalfCells - survey.own;
  const int32_t depth = strength - kEveryCellStrength;
  FollowUpEvaluation followUp;
  for (int32_t column = 0; column < kHalfWidth; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      FindGroup(state, BoardRegion::LeftHalf, column, row);
      const int32_t size = state.GroupSizeB;
      computer.CandidateValue = GroupValue(size);
      if (weigh && size > 0) {
        followUp.Weigh(state, column, row, depth);
        computer.CandidateValue /= strength - 6;
      }
      // Strictly greater: among equal values the first cell in column order wins.
      if (computer.CandidateValue > computer.BestValue && !PassedOver(state, size, survey)) {
        computer.BestValue = computer.CandidateValue;
        SetTarget(computer, column, row);
      }
      ClearMarks(state.marks);
      state.GroupSizeB = 0;
    }
  }
}

}  // namespace kb
