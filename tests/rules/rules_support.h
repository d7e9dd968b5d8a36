#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/fixed_ticks.h"
#include "core/random.h"
#include "rules/board.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb::test {

// Rows as text, '1' to '7' and '.' for empty; fewer than 16 rows are the bottom rows
// and everything above them is empty.
Board BoardOf(std::initializer_list<const char*> rows);
std::string BoardText(const Board& board);
int32_t CountCode(const Board& board, StoneCode code);
// Rows firstRow to 15 of every column filled with two colours in a
// checkerboard, so that no stone has an equal neighbour; the rows above empty.
Board NoGroups(int32_t firstRow);

// Every call of the rules as one line of text, in order.
class RecordingObserver : public RulesObserver {
 public:
  void ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                   MessageFrame frame) override;
  void Pause(int32_t ms) override;
  void PlaySound(const char* fileName) override;
  void StartParticles(int32_t column, int32_t row, int32_t centreX, int32_t centreY) override;
  void ClearButtons() override;

  int32_t Count(const std::string& prefix) const;

  std::vector<std::string> events;
};

// One rules state with a seeded generator and a stopped clock.
struct Rig {
  Rig() : chance(random, ticks) { random.Seed(12345); }

  RulesState state;
  Random random;
  FixedTicks ticks;
  Chance chance;
  RecordingObserver observer;
};

}  // namespace kb::test
